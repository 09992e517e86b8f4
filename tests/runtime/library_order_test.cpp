// The runtime starts and ends its libraries in a fixed order. Every step StartRuntime and
// EndRuntime run is recorded; on the way down the test also looks, after each step, at what
// each library still holds, so the order shows in its effects: the keyboard lets go first,
// then Direct3D, then the controllers' share of DirectInput, and windows go before fonts,
// fonts before images, images before the blending library.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/decoder.h"
#include "graphics/drawing.h"
#include "graphics/image.h"
#include "graphics/image_display.h"
#include "runtime/arrays.h"
#include "runtime/runtime.h"
#include "runtime/strings.h"
#include "toolkit/dinput_shared.h"
#include "toolkit/events.h"
#include "toolkit/font.h"
#include "toolkit/gadget.h"
#include "toolkit/joystick.h"
#include "toolkit/keyboard.h"
#include "toolkit/keyboard_state.h"
#include "toolkit/screen.h"
#include "toolkit/screen_state.h"
#include "toolkit/window.h"

namespace {

struct Expected {
  void (*run)();
  const char* library;
};

const Expected kStart[] = {
    {strings_library_init, "strings"},          {decoder_registry_init, "image decoders"},
    {image_display_init, "blending support"},   {image_library_init, "images"},
    {drawing_library_init, "drawing"},          {arrays_library_init, "structured arrays"},
    {font_library_init, "fonts"},               {event_library_init, "event queue"},
    {window_library_init, "windows"},           {gadget_library_init, "gadgets"},
    {bmp_decoder_register, "BMP decoder"},      {controls_library_init, "common controls and COM"},
};

const Expected kEnd[] = {
    {keyboard_end, "keyboard"}, {screen_library_end, "Direct3D layer"}, {joystick_end, "DirectInput controllers"},
    {gadget_library_end, "gadgets"}, {window_library_end, "windows"}, {font_library_end, "fonts"},
    {image_library_end, "images"}, {image_display_end, "blending support"},
};

HWND g_window;
HFONT g_font;
HBITMAP g_image;

struct Step {
  void (*run)();
  std::string library;
  // What is still held after the step, one digit each: keyboard, Direct3D, DirectInput
  // users, the window, the font, the image, msimg32.
  std::string holding;
};
std::vector<Step> g_steps;

void Record(const RuntimeStep& step) {
  std::string holding = std::to_string(g_keyboard.initialised) + std::to_string(g_screen.initialised) +
                        std::to_string(directinput_users()) + (IsWindow(g_window) ? "1" : "0") +
                        (GetObjectType(g_font) == OBJ_FONT ? "1" : "0") +
                        (GetObjectType(g_image) == OBJ_BITMAP ? "1" : "0") + (g_imageDisplay.msimg32 ? "1" : "0");
  g_steps.push_back({step.run, step.library, holding});
}

template <size_t N>
void ExpectSteps(const Expected (&expected)[N]) {
  ASSERT_EQ(g_steps.size(), N);
  for (size_t i = 0; i < N; ++i)
    EXPECT_EQ(g_steps[i].run, expected[i].run) << "step " << i + 1 << " ran " << g_steps[i].library << ", not "
                                               << expected[i].library;
}

TEST(LibraryOrder, StartAndEndRunEveryLibraryInItsPlace) {
  g_runtimeStepDone = Record;
  StartRuntime();
  ExpectSteps(kStart);

  // What the program holds at its end: the input and Direct3D layers, a window, a font and
  // an image, none of them freed by hand.
  ASSERT_EQ(screen_library_init(), 1);
  joystick_open_all();
  ASSERT_EQ(keyboard_init(), 1);
  g_window = reinterpret_cast<HWND>(window_open(0, 0, 0, 200, 100, "order", 0, nullptr));
  g_font = reinterpret_cast<HFONT>(font_load(1, "Arial", 10));
  g_image = reinterpret_cast<HBITMAP>(image_create(1, 4, 4));
  ASSERT_TRUE(g_window && g_font && g_image);
  ASSERT_EQ(directinput_users(), 2);
  ASSERT_TRUE(g_imageDisplay.msimg32);

  g_steps.clear();
  EndRuntime();
  g_runtimeStepDone = nullptr;
  ExpectSteps(kEnd);
  const char* const holding[] = {"0111111", "0011111", "0001111", "0001111",
                                 "0000111", "0000011", "0000001", "0000000"};
  for (size_t i = 0; i < g_steps.size(); ++i)
    EXPECT_EQ(g_steps[i].holding, holding[i]) << "after " << g_steps[i].library;

  EndRuntimeHeap();
  PlatformHeapDestroy(stringHeap);
  stringHeap = nullptr;
}

}  // namespace
