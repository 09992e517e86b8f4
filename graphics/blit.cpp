// The image blit: clipping, then one row kernel chosen per call from the source and output
// pixel sizes, the constant alpha, the alpha use and the drawing mode. The plain case (same
// size, opaque, mode 0, 24 bits) is one block copy per row.
#include <cstring>

#include "graphics/blit.h"
#include "graphics/clip.h"
#include "runtime/runtime.h"

namespace {

struct Row {
  uint8_t* out;
  const uint8_t* src;
  int32_t count;
  int32_t alpha;
  const Canvas* canvas;  // for the custom filter
  int32_t x, y;          // output position of the row's first pixel
};

using RowFn = void (*)(const Row& r);

template <int kOut, int kSrc>
void CopyColour(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  for (int32_t i = 0; i < r.count; ++i, o += kOut, s += kSrc) o[0] = s[0], o[1] = s[1], o[2] = s[2];
}

void CopyBlock24(const Row& r) {
  std::memcpy(r.out, r.src, size_t(r.count) * 3);
}

void CopyAll(const Row& r) {
  std::memcpy(r.out, r.src, size_t(r.count) * 4);
}

template <int kSrc>
void CopyAllFrom24(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  for (int32_t i = 0; i < r.count; ++i, o += 4, s += kSrc) o[0] = s[0], o[1] = s[1], o[2] = s[2], o[3] = 255;
}

template <int kSrc>
void AlphaByte(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  for (int32_t i = 0; i < r.count; ++i, o += 4, s += kSrc) o[3] = uint8_t(kSrc == 4 ? s[3] : r.alpha);
}

template <int kOut, int kSrc>
void XorColour(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  for (int32_t i = 0; i < r.count; ++i, o += kOut, s += kSrc) o[0] ^= s[0], o[1] ^= s[1], o[2] ^= s[2];
}

// Constant alpha: colour = (output × (255 - alpha) + source × alpha) / 255.
template <int kOut, int kSrc>
void ConstantBlend(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  const int32_t a = r.alpha, ia = 255 - a;
  for (int32_t i = 0; i < r.count; ++i, o += kOut, s += kSrc)
    for (int k = 0; k < 3; ++k) o[k] = uint8_t((o[k] * ia + s[k] * a) / 255);
}

inline int32_t SourceAlpha(const uint8_t* s, int32_t alpha) {
  return alpha == 255 ? s[3] : s[3] * alpha / 255;
}

// A 32-bit source by its own alpha onto a 24-bit output.
void AlphaOnto24(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  for (int32_t i = 0; i < r.count; ++i, o += 3, s += 4) {
    int32_t a = SourceAlpha(s, r.alpha), ia = 255 - a;
    for (int k = 0; k < 3; ++k) o[k] = uint8_t((s[k] * a + o[k] * ia) / 255);
  }
}

// A 32-bit source by its own alpha onto a 32-bit output whose alpha counts as well.
template <bool kKeepAlpha>
void AlphaOnto32(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  for (int32_t i = 0; i < r.count; ++i, o += 4, s += 4) {
    int32_t a = SourceAlpha(s, r.alpha), b = o[3];
    if (a == 0) continue;
    int32_t weight = a * 255 + (255 - a) * b;
    if (b == 0) {
      o[0] = s[0], o[1] = s[1], o[2] = s[2];
    } else {
      for (int k = 0; k < 3; ++k) o[k] = uint8_t((a * s[k] * 255 + (255 - a) * o[k] * b) / weight);
    }
    if (!kKeepAlpha) o[3] = uint8_t(weight / 255);
  }
}

template <int kOut, int kSrc>
void Filter(const Row& r) {
  uint8_t* o = r.out;
  const uint8_t* s = r.src;
  for (int32_t i = 0; i < r.count; ++i, o += kOut, s += kSrc) {
    uint32_t colour = s[2] | s[1] << 8 | s[0] << 16 | uint32_t(kSrc == 4 ? s[3] : 255) << 24;
    uint32_t pixel = o[2] | o[1] << 8 | o[0] << 16 | uint32_t(kOut == 4 ? o[3] : 255) << 24;
    uint32_t v = r.canvas->filter_function(r.x + i, r.y, colour, pixel);
    o[0] = uint8_t(v >> 16), o[1] = uint8_t(v >> 8), o[2] = uint8_t(v);
  }
}

template <int kOut, int kSrc>
RowFn Choose(const Canvas* c, int32_t alpha, bool useAlpha) {
  const int32_t mode = c->mode;
  const bool wideSource = kSrc == 4;
  if (mode & MODE_XOR) return XorColour<kOut, kSrc>;
  if (kOut == 4 && (mode & MODE_ALL_CHANNELS)) return wideSource ? CopyAll : CopyAllFrom24<kSrc>;
  if (mode & MODE_ALPHA_CHANNEL) return kOut == 4 ? AlphaByte<kSrc> : nullptr;
  if (mode & (MODE_ALPHA_BLEND | MODE_ALPHA_CLIP)) useAlpha = true;
  if ((mode & MODE_CUSTOM) && c->filter_function) return Filter<kOut, kSrc>;
  if (wideSource && useAlpha) {
    if (kOut == 3) return AlphaOnto24;
    return (mode & MODE_ALPHA_CLIP) && !(mode & MODE_ALPHA_BLEND) ? AlphaOnto32<true> : AlphaOnto32<false>;
  }
  if (alpha != 255) return ConstantBlend<kOut, kSrc>;
  if (kOut == 3 && kSrc == 3) return CopyBlock24;
  return CopyColour<kOut, kSrc>;
}

}  // namespace

void BlitPixels(Canvas* output, const PixelBuffer& source, int32_t x, int32_t y, int32_t alpha, bool useAlpha) {
  const int32_t ob = output->bytes_per_pixel, sb = source.bytesPerPixel;
  if ((ob != 3 && ob != 4) || (sb != 3 && sb != 4) || !source.pixels || !output->pixels) return;
  if (alpha <= 0) return;  // nothing of the source would show
  if (alpha > 255) alpha = 255;
  ClipResult c;
  if (!ClipRectangle(output->width, output->height, x, y, source.width, source.height, &c)) return;
  RowFn row = ob == 3 ? (sb == 3 ? Choose<3, 3>(output, alpha, useAlpha) : Choose<3, 4>(output, alpha, useAlpha))
                      : (sb == 3 ? Choose<4, 3>(output, alpha, useAlpha) : Choose<4, 4>(output, alpha, useAlpha));
  if (!row) return;
  // An image drawn onto itself would read rows that were already written: its visible part
  // is set aside first.
  const size_t rowBytes = size_t(c.width) * size_t(sb);
  const auto sourceStart = reinterpret_cast<uintptr_t>(source.pixels);
  const auto outputStart = reinterpret_cast<uintptr_t>(output->pixels);
  const bool overlaps = sourceStart < outputStart + size_t(output->stride) * size_t(output->height) &&
                        outputStart < sourceStart + size_t(source.stride) * size_t(source.height);
  uint8_t* aside = overlaps ? static_cast<uint8_t*>(ObjectAlloc(rowBytes * size_t(c.height))) : nullptr;
  if (overlaps && !aside) return;
  for (int32_t line = 0; aside && line < c.height; ++line)
    std::memcpy(aside + rowBytes * size_t(line), PixelLine(source, c.innerY + line) + size_t(c.innerX) * size_t(sb),
                rowBytes);
  for (int32_t line = 0; line < c.height; ++line) {
    const uint8_t* from = aside ? aside + rowBytes * size_t(line)
                                : PixelLine(source, c.innerY + line) + size_t(c.innerX) * size_t(sb);
    Row r{canvas_at(output, c.outerX, c.outerY + line), from, c.width, alpha, output, c.outerX, c.outerY + line};
    row(r);
  }
  if (aside) ObjectFree(aside);
}
