// The host build's table (app/library_order.h): the portable libraries it has, in the same
// relative order as the Windows build, and nothing to end.
#include <iterator>

#include "app/library_order.h"
#include "graphics/decoder.h"
#include "runtime/arrays.h"
#include "runtime/strings.h"

namespace {

const RuntimeStep kStart[] = {
    {"strings", strings_library_init},
    {"image decoders", decoder_registry_init},
    {"arrays", arrays_library_init},
    {"BMP decoder", bmp_decoder_register},
};

}  // namespace

const RuntimeOrder& LibraryOrder() {
  static const RuntimeOrder order{kStart, std::size(kStart), nullptr, 0};
  return order;
}
