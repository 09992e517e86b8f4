// The fixed order in which the Windows build starts and ends its libraries.
// Start: strings, image decoders, blending support, images, drawing, structured arrays,
// fonts, event queue, windows, gadgets, the BMP decoder, common controls and COM.
// End: keyboard, Direct3D layer, DirectInput controllers, gadgets, windows, fonts, images,
// blending support. Each library adds its own operations here, at its place.
#include <iterator>

#include "runtime/arrays.h"
#include "runtime/runtime.h"
#include "runtime/strings.h"

namespace {

const RuntimeStep kStart[] = {
    {"strings", strings_library_init},
    {"arrays", arrays_library_init},
};

}  // namespace

const RuntimeOrder& RuntimeLibraryOrder() {
  static const RuntimeOrder order{kStart, std::size(kStart), nullptr, 0};
  return order;
}
