// The pixel kernels on the program's own sizes, each beside a baseline of plain row copies
// of the same bytes: the patch and picture blits, the text mix of an axis value, and one
// full refresh of the picture (19 patches, each made, grabbed, drawn; four with text).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "app/library_order.h"
#include "graphics/blit.h"
#include "graphics/text_mix.h"

namespace {

struct Image {
  std::vector<uint8_t> memory;
  PixelBuffer buffer;
  Image(int32_t width, int32_t height, int32_t bpp = 3, bool bottomUp = true) {
    int32_t stride = (width * bpp + 3) / 4 * 4;
    memory.assign(size_t(stride) * size_t(height), 0x5A);
    buffer = {memory.data(), width, height, stride, bpp, bottomUp};
  }
};

Canvas CanvasOn(Image& image) {
  Canvas c;
  const PixelBuffer& b = image.buffer;
  canvas_init(&c, b.pixels, b.width, b.height, b.stride, b.bytesPerPixel);
  return c;
}

void CopyRows(const PixelBuffer& to, const PixelBuffer& from, int32_t width, int32_t height) {
  for (int32_t y = 0; y < height; ++y) std::memcpy(PixelLine(to, y), PixelLine(from, y), size_t(width) * 3);
}

void BM_Blit24(benchmark::State& state) {
  int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
  Image out(300, 186), src(w, h);
  Canvas c = CanvasOn(out);
  for (auto _ : state) {
    BlitPixels(&c, src.buffer, 0, 0, 255, false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Blit24)->Args({20, 20})->Args({300, 186});

void BM_MemcpyRows(benchmark::State& state) {
  int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
  Image out(300, 186), src(w, h);
  for (auto _ : state) {
    CopyRows(out.buffer, src.buffer, w, h);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyRows)->Args({20, 20})->Args({300, 186});

// An axis value such as "-57 " in a 7-point font: about 28 × 12 pixels of coverage.
constexpr int32_t kTextWidth = 28, kTextHeight = 12;

Image RenderedText() {
  Image text(300, 50, 3, false);
  for (int32_t y = 0; y < kTextHeight; ++y)
    for (int32_t x = 0; x < kTextWidth; ++x) std::memset(PixelLine(text.buffer, y) + x * 3, (x * 37 + y * 11) & 0xFF, 3);
  return text;
}

void BM_TextMix(benchmark::State& state) {
  Image out(300, 186), text = RenderedText();
  Canvas c = CanvasOn(out);
  canvas_set_front_colour(&c, 0x001E28);
  canvas_set_back_colour(&c, 0xFFFFFF);
  for (auto _ : state) {
    MixText(&c, text.buffer, 54, 116, kTextWidth, kTextHeight, false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextMix);

void BM_TextMixBaselineMemcpy(benchmark::State& state) {
  Image out(300, 186), text = RenderedText();
  for (auto _ : state) {
    CopyRows(out.buffer, text.buffer, kTextWidth, kTextHeight);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextMixBaselineMemcpy);

struct Patch {
  int32_t sx, sy, w, h, tx, ty;
};

// Every patch lit: four axes, twelve buttons, two hat arms and the marker.
const Patch kPatches[19] = {
    {347, 113, 40, 20, 47, 113}, {366, 142, 40, 20, 66, 142}, {440, 113, 40, 20, 140, 113},
    {459, 142, 40, 20, 159, 142}, {530, 40, 20, 20, 230, 40}, {555, 65, 20, 20, 255, 65},
    {530, 90, 20, 20, 230, 90},   {505, 65, 20, 20, 205, 65}, {340, 0, 20, 20, 40, 0},
    {515, 0, 20, 20, 215, 0},     {360, 0, 20, 20, 60, 0},    {535, 0, 20, 20, 235, 0},
    {410, 60, 20, 20, 110, 60},   {465, 60, 20, 20, 165, 60}, {393, 111, 20, 20, 93, 111},
    {483, 111, 20, 20, 183, 111}, {350, 50, 20, 20, 50, 50},  {363, 63, 20, 20, 63, 63},
    {373, 38, 20, 20, 73, 38}};

void BM_PictureRefresh(benchmark::State& state) {
  Image sheet(600, 186), display(300, 186), text = RenderedText();
  for (auto _ : state) {
    for (int32_t i = 0; i < 19; ++i) {
      const Patch& p = kPatches[i];
      Canvas c = CanvasOn(display);  // the output made and started for this patch
      int32_t stride = (p.w * 3 + 3) / 4 * 4;
      auto* scratch = static_cast<uint8_t*>(ObjectAlloc(size_t(stride) * size_t(p.h)));  // created black
      PixelBuffer patch{scratch, p.w, p.h, stride, 3, true};
      CopyPixelRect(patch, sheet.buffer, p.sx, p.sy);
      BlitPixels(&c, patch, p.tx, p.ty, 255, false);
      if (i < 4) {
        canvas_set_front_colour(&c, 0x001E28);
        canvas_set_back_colour(&c, 0xFFFFFF);
        MixText(&c, text.buffer, p.tx + 7, p.ty + 3, kTextWidth, kTextHeight, false);
      }
      ObjectFree(scratch);
    }
    CopyPixelRect(display.buffer, sheet.buffer, 0, 0);  // the hand-over's fresh copy
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PictureRefresh)->Unit(benchmark::kMicrosecond);

void BM_PictureRefreshBaselineMemcpy(benchmark::State& state) {
  Image sheet(600, 186), display(300, 186);
  for (auto _ : state) {
    for (const Patch& p : kPatches)
      for (int32_t y = 0; y < p.h; ++y)
        std::memcpy(PixelLine(display.buffer, p.ty + y) + p.tx * 3, PixelLine(sheet.buffer, p.sy + y) + p.sx * 3,
                    size_t(p.w) * 3);
    CopyRows(display.buffer, sheet.buffer, 300, 186);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PictureRefreshBaselineMemcpy)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  StartRuntime(LibraryOrder());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndRuntime(LibraryOrder());
  EndRuntimeHeap();
  return 0;
}
