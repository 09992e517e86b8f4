// The text mix kernels and the rotated text geometry. The coverage of a text pixel is
// t = (red + green + blue) / 765 as a 32-bit float, D = t × 255 truncated, E = 255 - D; a
// table of D for every sum keeps that exact without a division per pixel.
#include "graphics/text_mix.h"

#include <cmath>

#include "graphics/clip.h"

namespace {

struct CoverageTable {
  uint8_t d[766];
  CoverageTable() {
    for (int32_t sum = 0; sum <= 765; ++sum) {
      float t = float(sum) / 765.0f;
      d[sum] = uint8_t(int32_t(t * 255.0f));
    }
  }
};

const CoverageTable kCoverage;

inline int32_t CoverageAt(const uint8_t* p) {
  return kCoverage.d[p[0] + p[1] + p[2]];
}

// Mode 0 and the transparent background: colour = (back × E + front × D) / 255, where the
// back is the pixel itself when transparent. Alpha bytes are never touched.
template <bool kTransparent>
void MixRow(const Canvas* c, uint8_t* out, const uint8_t* text, int32_t count) {
  const ColourParts f = c->front, b = c->back;
  const int32_t bpp = c->bytes_per_pixel;
  for (int32_t i = 0; i < count; ++i, out += bpp, text += 3) {
    int32_t d = CoverageAt(text), e = 255 - d;
    if (kTransparent) {
      if (d == 0) continue;
      out[0] = uint8_t((out[0] * e + f.blue * d) / 255);
      out[1] = uint8_t((out[1] * e + f.green * d) / 255);
      out[2] = uint8_t((out[2] * e + f.red * d) / 255);
    } else {
      out[0] = uint8_t((b.blue * e + f.blue * d) / 255);
      out[1] = uint8_t((b.green * e + f.green * d) / 255);
      out[2] = uint8_t((b.red * e + f.red * d) / 255);
    }
  }
}

// XOR: the front colour where the coverage is above one half, else the back colour (only
// with an opaque background).
void XorRow(const Canvas* c, uint8_t* out, const uint8_t* text, int32_t count, bool transparent) {
  const int32_t bpp = c->bytes_per_pixel;
  for (int32_t i = 0; i < count; ++i, out += bpp, text += 3) {
    bool covered = text[0] + text[1] + text[2] > 765 / 2;
    if (!covered && transparent) continue;
    const ColourParts& k = covered ? c->front : c->back;
    out[0] ^= uint8_t(k.blue), out[1] ^= uint8_t(k.green), out[2] ^= uint8_t(k.red);
  }
}

// Every other mode: the mixed colour (alpha included) goes through the canvas's writer.
void WriterRow(Canvas* c, int32_t x, int32_t y, const uint8_t* text, int32_t count, bool transparent) {
  for (int32_t i = 0; i < count; ++i, text += 3) {
    int32_t d = CoverageAt(text), e = 255 - d;
    uint32_t front = canvas_source_colour(c, x + i, y), back = c->back_colour, colour = 0;
    if (transparent) {
      if (d == 0) continue;
      colour = (front & 0xFFFFFF) | ((front >> 24) * uint32_t(d) / 255) << 24;
    } else {
      for (int shift = 0; shift < 32; shift += 8)
        colour |= (((back >> shift & 0xFF) * e + (front >> shift & 0xFF) * d) / 255) << shift;
    }
    c->plot_colour(c, x + i, y, colour);
  }
}

}  // namespace

void MixText(Canvas* c, const PixelBuffer& text, int32_t x, int32_t y, int32_t width, int32_t height,
             bool transparent) {
  if (!c->pixels || !text.pixels || text.bytesPerPixel != 3) return;
  width = width < text.width ? width : text.width;
  height = height < text.height ? height : text.height;
  ClipResult r;
  if (!ClipRectangle(c->width, c->height, x, y, width, height, &r)) return;
  transparent = transparent || (c->mode & MODE_TRANSPARENT);
  const int32_t mode = c->mode & ~(MODE_TRANSPARENT | MODE_OUTLINED);
  for (int32_t line = 0; line < r.height; ++line) {
    const uint8_t* src = PixelLine(text, r.innerY + line) + size_t(r.innerX) * 3;
    uint8_t* out = canvas_at(c, r.outerX, r.outerY + line);
    if (mode == 0 && transparent) MixRow<true>(c, out, src, r.width);
    else if (mode == 0) MixRow<false>(c, out, src, r.width);
    else if (mode & MODE_XOR) XorRow(c, out, src, r.width, transparent);
    else WriterRow(c, r.outerX, r.outerY + line, src, r.width, transparent);
  }
}

RotatedBox RotatedTextBox(int32_t width, int32_t height, float angle) {
  const double radians = double(angle) * 3.14159265358979323846 / 180.0;
  const double cs = std::cos(radians), sn = std::sin(radians);
  // Corners of the turned box: the baseline runs along (cos, -sin), the height along (sin, cos).
  const double xs[4] = {0, width * cs, height * sn, width * cs + height * sn};
  const double ys[4] = {0, -width * sn, height * cs, -width * sn + height * cs};
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (int i = 1; i < 4; ++i) {
    minX = std::fmin(minX, xs[i]), maxX = std::fmax(maxX, xs[i]);
    minY = std::fmin(minY, ys[i]), maxY = std::fmax(maxY, ys[i]);
  }
  // The small allowance keeps rounding noise of sine and cosine from adding a line.
  return {int32_t(std::ceil(maxX - minX - 1e-6)), int32_t(std::ceil(maxY - minY - 1e-6)), int32_t(std::lround(-minX)),
          int32_t(std::lround(-minY))};
}
