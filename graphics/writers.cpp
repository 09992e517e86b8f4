// The family of pixel writers: one combination rule (store, XOR, alpha only, blend, all four
// bytes) times one colour source (front colour, gradient, custom filter), instantiated once
// each and picked by writers_select. Integer arithmetic truncates throughout.
#include "graphics/writers.h"

namespace {

enum Combine { kNothing, kStore, kXor, kAlphaOnly, kBlend24, kBlend32, kBlend32KeepAlpha, kStoreAll };
enum Source { kFront, kGradient, kFilter };

constexpr bool IsBlend(int combine) {
  return combine == kBlend24 || combine == kBlend32 || combine == kBlend32KeepAlpha;
}

uint32_t ReadPixel(const Canvas* c, int32_t x, int32_t y) {
  const uint8_t* p = canvas_at(c, x, y);
  uint32_t v = p[2] | p[1] << 8 | p[0] << 16;
  return c->bytes_per_pixel == 4 ? v | uint32_t(p[3]) << 24 : v;
}

uint8_t BlendColour(int32_t premultiplied, int32_t pixel, int32_t a, int32_t pa) {
  if (pa == 0) return uint8_t(premultiplied / a);
  return uint8_t((premultiplied * 255 + pixel * (255 - a) * pa) / (a * 255 + pa * (255 - a)));
}

template <int kCombine>
inline void Put([[maybe_unused]] uint8_t* p, [[maybe_unused]] const ColourParts& k) {
  if constexpr (kCombine == kStore) {
    p[0] = uint8_t(k.blue), p[1] = uint8_t(k.green), p[2] = uint8_t(k.red);
  } else if constexpr (kCombine == kStoreAll) {
    p[0] = uint8_t(k.blue), p[1] = uint8_t(k.green), p[2] = uint8_t(k.red), p[3] = uint8_t(k.alpha);
  } else if constexpr (kCombine == kXor) {
    p[0] ^= uint8_t(k.blue), p[1] ^= uint8_t(k.green), p[2] ^= uint8_t(k.red);
  } else if constexpr (kCombine == kAlphaOnly) {
    p[3] = uint8_t(k.alpha);
  } else if constexpr (kCombine == kBlend24) {
    p[0] = uint8_t((p[0] * k.inverse + k.blue) / 255);
    p[1] = uint8_t((p[1] * k.inverse + k.green) / 255);
    p[2] = uint8_t((p[2] * k.inverse + k.red) / 255);
  } else if constexpr (kCombine == kBlend32 || kCombine == kBlend32KeepAlpha) {
    int32_t a = k.alpha, pa = p[3];
    if (a == 0) return;
    p[0] = BlendColour(k.blue, p[0], a, pa);
    p[1] = BlendColour(k.green, p[1], a, pa);
    p[2] = BlendColour(k.red, p[2], a, pa);
    if constexpr (kCombine == kBlend32) p[3] = uint8_t((pa * (255 - a) + a * 255) / 255);
  }
}

template <int kCombine, int kSource>
inline ColourParts PenAt(Canvas* c, int32_t x, int32_t y) {
  if constexpr (kSource == kFront) return c->front;
  else return canvas_parts(canvas_source_colour(c, x, y), IsBlend(kCombine));
}

template <int kCombine, int kSource>
void Plot(Canvas* c, int32_t x, int32_t y) {
  Put<kCombine>(canvas_at(c, x, y), PenAt<kCombine, kSource>(c, x, y));
}

template <int kCombine>
void PlotColour(Canvas* c, int32_t x, int32_t y, uint32_t colour) {
  Put<kCombine>(canvas_at(c, x, y), canvas_parts(colour, IsBlend(kCombine)));
}

template <int kCombine, int kSource>
void Span(Canvas* c, int32_t x1, int32_t x2, int32_t y) {
  uint8_t* p = canvas_at(c, x1, y);
  const int32_t bpp = c->bytes_per_pixel;
  if constexpr (kSource == kFront) {
    const ColourParts k = c->front;
    for (int32_t x = x1; x <= x2; ++x, p += bpp) Put<kCombine>(p, k);
  } else {
    for (int32_t x = x1; x <= x2; ++x, p += bpp) Put<kCombine>(p, PenAt<kCombine, kSource>(c, x, y));
  }
}

uint32_t Point3(Canvas* c, int32_t x, int32_t y) {
  return ReadPixel(c, x, y) & 0xFFFFFF;
}

uint32_t Point4(Canvas* c, int32_t x, int32_t y) {
  return ReadPixel(c, x, y);
}

struct Writers {
  PlotFn plot;
  PlotColourFn plotColour;
  SpanFn span;
};

template <int kCombine>
Writers WritersFor(int source) {
  switch (source) {
    case kGradient: return {Plot<kCombine, kGradient>, PlotColour<kCombine>, Span<kCombine, kGradient>};
    case kFilter: return {Plot<kCombine, kFilter>, PlotColour<kCombine>, Span<kCombine, kFilter>};
    default: return {Plot<kCombine, kFront>, PlotColour<kCombine>, Span<kCombine, kFront>};
  }
}

int CombineFor(int32_t mode, bool wide) {
  if (mode & MODE_XOR) return kXor;
  if (mode & MODE_ALL_CHANNELS) return kStoreAll;  // only ever left set on 32-bit outputs
  if (mode & MODE_ALPHA_CHANNEL) return wide ? kAlphaOnly : kNothing;
  if (mode & MODE_ALPHA_BLEND) return wide ? kBlend32 : kBlend24;
  if (mode & MODE_ALPHA_CLIP) return wide ? kBlend32KeepAlpha : kBlend24;
  return kStore;
}

}  // namespace

void writers_select(Canvas* c) {
  bool wide = c->bytes_per_pixel == 4;
  int source = c->filter_on ? kFilter : c->gradient_on ? kGradient : kFront;
  Writers w;
  switch (CombineFor(c->mode, wide)) {
    case kNothing: w = WritersFor<kNothing>(source); break;
    case kXor: w = WritersFor<kXor>(source); break;
    case kAlphaOnly: w = WritersFor<kAlphaOnly>(source); break;
    case kBlend24: w = WritersFor<kBlend24>(source); break;
    case kBlend32: w = WritersFor<kBlend32>(source); break;
    case kBlend32KeepAlpha: w = WritersFor<kBlend32KeepAlpha>(source); break;
    case kStoreAll: w = WritersFor<kStoreAll>(source); break;
    default: w = WritersFor<kStore>(source); break;
  }
  c->plot = w.plot;
  c->plot_colour = w.plotColour;
  c->span = w.span;
  bool fourBytes = c->mode & (MODE_ALPHA_CHANNEL | MODE_ALPHA_BLEND | MODE_ALPHA_CLIP | MODE_CUSTOM | MODE_ALL_CHANNELS);
  c->point = wide && fourBytes ? Point4 : Point3;
}
