// The fixed order in which the Windows build starts and ends its libraries.
// Start: strings, image decoders, blending support, images, drawing, structured arrays,
// fonts, event queue, windows, gadgets, the BMP decoder, common controls and COM.
// End: keyboard, Direct3D layer, DirectInput controllers, gadgets, windows, fonts, images,
// blending support. Each library adds its own operations here, at its place.
#include <iterator>

#include "graphics/decoder.h"
#include "graphics/drawing.h"
#include "graphics/image.h"
#include "runtime/arrays.h"
#include "runtime/runtime.h"
#include "runtime/strings.h"
#include "toolkit/events.h"
#include "toolkit/font.h"
#include "toolkit/gadget.h"
#include "toolkit/joystick.h"
#include "toolkit/keyboard.h"
#include "toolkit/screen.h"
#include "toolkit/window.h"

namespace {

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

const RuntimeOrder& RuntimeLibraryOrder() {
  static const RuntimeOrder order{kStart, std::size(kStart), kEnd, std::size(kEnd)};
  return order;
}
