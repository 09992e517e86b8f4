// Portable utilities: colour packing and rounding.
#include "runtime/utils.h"

#include <cmath>

int32_t PackColour(int32_t red, int32_t green, int32_t blue) {
  return int32_t(uint32_t(red) + uint32_t(green) * 256u + uint32_t(blue) * 65536u);
}

float RoundFloat(float value, int32_t mode) {
  double x = value;
  switch (mode) {
    case 1: return float(std::ceil(x));
    case 2: return float(x > 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5));
    default: return float(std::floor(x));
  }
}
