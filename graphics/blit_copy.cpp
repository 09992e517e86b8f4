// The rectangle copy behind image_grab and the output's grab_image: rows copied from one
// pixel memory to another after clipping, so that grabbing needs no GDI call.
#include <cstring>

#include "graphics/blit.h"
#include "graphics/clip.h"

bool CopyPixelRect(const PixelBuffer& target, const PixelBuffer& source, int64_t x, int64_t y) {
  if (target.bytesPerPixel != source.bytesPerPixel) return false;
  ClipResult c;
  if (!ClipRectangle(source.width, source.height, x, y, target.width, target.height, &c)) return true;
  size_t bpp = size_t(source.bytesPerPixel), bytes = size_t(c.width) * bpp;
  for (int32_t row = 0; row < c.height; ++row)
    std::memcpy(PixelLine(target, c.innerY + row) + size_t(c.innerX) * bpp,
                PixelLine(source, c.outerY + row) + size_t(c.outerX) * bpp, bytes);
  return true;
}
