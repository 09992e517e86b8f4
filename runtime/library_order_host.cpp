// The order in which the host build starts and ends the portable libraries it has: the same
// relative order as the Windows build, without the window-system libraries.
#include <iterator>

#include "graphics/decoder.h"
#include "runtime/arrays.h"
#include "runtime/runtime.h"
#include "runtime/strings.h"

namespace {

const RuntimeStep kStart[] = {
    {"strings", strings_library_init},
    {"image decoders", decoder_registry_init},
    {"arrays", arrays_library_init},
    {"BMP decoder", bmp_decoder_register},
};

}  // namespace

const RuntimeOrder& RuntimeLibraryOrder() {
  static const RuntimeOrder order{kStart, std::size(kStart), nullptr, 0};
  return order;
}
