// PNG decode of the picture sheet: our decoder (open, probe, rows into a bottom-up buffer,
// close) against libpng's simplified reader on the same file, in the same run.
// The file: $VLMR_BENCH_PNG, else the repository's gfx/vlmr.png.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/library_order.h"
#include "graphics/decoder.h"

namespace {

std::string SheetPath() {
  const char* env = std::getenv("VLMR_BENCH_PNG");
  return env && *env ? env : VLMR_SHEET;
}

void BM_DecodeOurs(benchmark::State& state) {
  StartRuntime(LibraryOrder());
  png_decoder_register();
  const std::string path = SheetPath();
  if (!decoder_open(path.c_str())) {
    state.SkipWithError("the picture sheet cannot be opened");
    return;
  }
  const int32_t stride = (decoder_width() * (decoder_depth() / 8) + 3) / 4 * 4;
  std::vector<uint8_t> pixels(size_t(stride) * size_t(decoder_height()));
  decoder_close();
  for (auto _ : state) {
    decoder_open(path.c_str());
    benchmark::DoNotOptimize(decoder_decode(pixels.data(), stride, DECODE_BOTTOM_UP));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(pixels.size()));
}

void BM_DecodeLibpngSimplified(benchmark::State& state) {
  const std::string path = SheetPath();
  std::vector<uint8_t> pixels;
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
      state.SkipWithError("libpng cannot open the picture sheet");
      return;
    }
    image.format = (image.format & PNG_FORMAT_FLAG_ALPHA) ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    pixels.resize(PNG_IMAGE_SIZE(image));
    benchmark::DoNotOptimize(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    png_image_free(&image);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(pixels.size()));
}

BENCHMARK(BM_DecodeOurs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeLibpngSimplified)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
