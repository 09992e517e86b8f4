// The Windows build's start and end tables (app/library_order.h): one start table whose
// first steps are the libraries and whose last are the program's own, one end table.
#include <iterator>

#include "app/controller.h"
#include "app/library_order.h"
#include "graphics/decoder.h"
#include "graphics/drawing.h"
#include "graphics/image.h"
#include "runtime/arrays.h"
#include "runtime/strings.h"
#include "toolkit/events.h"
#include "toolkit/font.h"
#include "toolkit/gadget.h"
#include "toolkit/joystick.h"
#include "toolkit/keyboard.h"
#include "toolkit/screen.h"
#include "toolkit/window.h"

namespace {

// Direct3D, DirectInput and the keyboard may be missing: the program runs on without them,
// so their results are not looked at.
void StartScreen() { screen_library_init(); }
void StartJoysticks() { joystick_open_all(); }
void StartKeyboard() { keyboard_init(); }

constexpr size_t kLibrarySteps = 12;

const RuntimeStep kStart[] = {
    {"strings", strings_library_init},
    {"image decoders", decoder_registry_init},
    {"blending support", image_display_init},
    {"images", image_library_init},
    {"drawing", drawing_library_init},
    {"arrays", arrays_library_init},
    {"fonts", font_library_init},
    {"event queue", event_library_init},
    {"windows", window_library_init},
    {"gadgets", gadget_library_init},
    {"BMP decoder", bmp_decoder_register},
    {"common controls and COM", controls_library_init},
    {"controller arrays", AllocateControllerArrays},
    {"Direct3D layer", StartScreen},
    {"DirectInput controllers", StartJoysticks},
    {"keyboard", StartKeyboard},
    {"PNG decoder", png_decoder_register},
};

const RuntimeStep kEnd[] = {
    {"keyboard", keyboard_end},
    {"Direct3D layer", screen_library_end},
    {"DirectInput controllers", joystick_end},
    {"gadgets", gadget_library_end},
    {"windows", window_library_end},
    {"fonts", font_library_end},
    {"images", image_library_end},
    {"blending support", image_display_end},
};

}  // namespace

const RuntimeOrder& ProgramOrder() {
  static const RuntimeOrder order{kStart, std::size(kStart), kEnd, std::size(kEnd)};
  return order;
}

const RuntimeOrder& LibraryOrder() {
  static const RuntimeOrder order{kStart, kLibrarySteps, kEnd, std::size(kEnd)};
  return order;
}
