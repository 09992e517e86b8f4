// Picture overlay. The sheet (image 100) holds the resting gamepad at x 0..299 and the lit
// one at x 300..599 with the same layout, so a patch's source is its target moved 300 to
// the right. Each patch is grabbed into the scratch image (0) and drawn onto the display
// image (101) in a drawing of its own; the hand-over shows the result and resets image 101
// from the resting half. Depends on the image, drawing, font, gadget and window libraries.
// Without a loaded sheet there is nothing to draw on, and every step does nothing.
#include "app/overlay_win32.h"

#include <windows.h>

#include "app/controller.h"
#include "app/numbers.h"
#include "app/state.h"
#include "graphics/drawing.h"
#include "graphics/image.h"
#include "runtime/strings.h"
#include "runtime/utils.h"
#include "toolkit/font.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"

namespace {

constexpr int32_t kLitHalf = 300;

struct Place {
  int16_t x, y;
};

struct AxisPatch {
  Place target;
  Place text;
};

constexpr AxisPatch kAxisPatches[4] = {
    {{47, 113}, {54, 116}}, {{66, 142}, {73, 145}}, {{140, 113}, {148, 116}}, {{159, 142}, {166, 145}}};

constexpr Place kButtonPatches[12] = {{230, 40}, {255, 65}, {230, 90}, {205, 65}, {40, 0},   {215, 0},
                                      {60, 0},   {235, 0},  {110, 60}, {165, 60}, {93, 111}, {183, 111}};

struct HatArm {
  int32_t positions[3];
  Place target;
};

constexpr HatArm kHatArms[4] = {{{0, 4500, 31500}, {50, 50}},
                                {{9000, 4500, 13500}, {63, 63}},
                                {{13500, 18000, 22500}, {50, 76}},
                                {{31500, 27000, 22500}, {35, 63}}};

// Marker k belongs to hat position k * 4500.
constexpr Place kHatMarkers[8] = {{49, 29}, {73, 38}, {83, 61}, {73, 87}, {48, 93}, {26, 87}, {16, 62}, {24, 37}};

bool HaveSheet() { return image_handle(g_app.pictureImage) != nullptr; }

// One patch: target (x, y), size w x h, with the value printed at text when value is given.
void DrawPatch(Place target, int32_t width, int32_t height, const int32_t* value, Place text) {
  if (!drawing_start(image_output(g_app.displayImage))) return;
  if (value) drawing_font(intptr_t(font_handle(kValueFont)));
  image_free(g_app.scratchImage);
  image_create(g_app.scratchImage, width, height, 24);
  image_grab(g_app.pictureImage, g_app.scratchImage, target.x + kLitHalf, target.y, width, height);
  HANDLE patch = image_handle(g_app.scratchImage);
  if (value) {
    drawing_image(patch, target.x, target.y);
    TempExpression digits;
    digits.Number(*value);
    drawing_text(text.x, text.y, digits.Finish(), uint32_t(PackColour(40, 30, 0)),
                 uint32_t(PackColour(255, 255, 255)));
  } else {
    drawing_image_sized(patch, target.x, target.y, 20, 20);
  }
  drawing_stop();
}

void DrawSquarePatch(Place target) { DrawPatch(target, 20, 20, nullptr, {}); }

}  // namespace

void DrawAxisPatches() {
  if (!HaveSheet()) return;
  const int32_t* values[4] = {&g_app.axisValueX, &g_app.axisValueY, &g_app.axisValueZ, &g_app.axisValueR};
  for (int axis = 0; axis < 4; ++axis)
    if (*values[axis] != 0) DrawPatch(kAxisPatches[axis].target, 40, 20, values[axis], kAxisPatches[axis].text);
}

void DrawButtonPatches() {
  if (!HaveSheet()) return;
  for (int32_t k = 0; k < 12; ++k)
    if (ControllerButton(g_app.selectedController, k) != 0) DrawSquarePatch(kButtonPatches[k]);
}

void DrawHatPatches() {
  if (!HaveSheet()) return;
  int32_t hat = g_app.hatPosition;
  for (const HatArm& arm : kHatArms)
    for (int32_t position : arm.positions)
      if (hat == position) {
        DrawSquarePatch(arm.target);
        break;
      }
  if (hat >= 0 && hat <= 31500 && hat % 4500 == 0) DrawSquarePatch(kHatMarkers[hat / 4500]);
}

void HandOverPicture() {
  if (!HaveSheet()) return;
  gadget_state_set(kPictureGadget, intptr_t(image_handle(g_app.displayImage)));
  UpdateWindow(window_handle(kMainWindow));
  image_grab(g_app.pictureImage, g_app.displayImage, 0, 0, kPictureWidth, kPictureHeight);
}
