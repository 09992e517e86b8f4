// sheetgen OUT.png: draws the gamepad picture sheet, 600 × 186 pixels, the resting pad on
// the left half and the same pad with every control lit on the right half.
//
// The lit half is assembled patch by patch: inside each control's own part of its patch
// (the part no other patch covers) it holds that control's lit drawing, everywhere else
// the resting drawing. A lit drawing that strays outside its own part would show up
// cut off when that patch or a neighbour is drawn alone, so it stops the program.
#include <cstdio>
#include <vector>

#include "gamepad.h"
#include "layout.h"
#include "pngwrite.h"

namespace {

struct Canvas {
  std::vector<uint8_t> memory;
  PixelBuffer buffer;
  Canvas(int32_t width, int32_t height)
      : memory(size_t(width) * size_t(height) * 3),
        buffer{memory.data(), width, height, width * 3, 3, false} {}
  const uint8_t* at(int x, int y) const { return PixelLine(buffer, y) + x * 3; }
  uint8_t* at(int x, int y) { return PixelLine(buffer, y) + x * 3; }
};

bool in_patch(const Patch& p, int x, int y) {
  return x >= p.x && x < p.x + p.w && y >= p.y && y < p.y + p.h;
}

// True when (x, y) lies in patch c and in no other patch.
bool owned_by(int c, int x, int y) {
  if (!in_patch(kPatches[c], x, y)) return false;
  for (int o = 0; o < kControlCount; ++o)
    if (o != c && in_patch(kPatches[o], x, y)) return false;
  return true;
}

bool same(const uint8_t* a, const uint8_t* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sheetgen OUT.png\n");
    return 2;
  }
  Canvas resting(kPictureWidth, kPictureHeight);
  draw_gamepad(resting.buffer, -1);
  Canvas sheet(2 * kPictureWidth, kPictureHeight);
  for (int y = 0; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureWidth; ++x)
      for (int half = 0; half < 2; ++half) {
        const uint8_t* from = resting.at(x, y);
        uint8_t* to = sheet.at(x + half * kPictureWidth, y);
        to[0] = from[0], to[1] = from[1], to[2] = from[2];
      }

  bool clean = true;
  for (int c = 0; c < kControlCount; ++c) {
    Canvas lit(kPictureWidth, kPictureHeight);
    draw_gamepad(lit.buffer, c);
    int stray = 0, changed = 0;
    for (int y = 0; y < kPictureHeight; ++y)
      for (int x = 0; x < kPictureWidth; ++x) {
        if (same(lit.at(x, y), resting.at(x, y))) continue;
        if (!owned_by(c, x, y)) {
          ++stray;
          continue;
        }
        ++changed;
        uint8_t* to = sheet.at(x + kPictureWidth, y);
        const uint8_t* from = lit.at(x, y);
        to[0] = from[0], to[1] = from[1], to[2] = from[2];
      }
    if (stray || !changed) {
      std::fprintf(stderr, "sheetgen: %s: %d lit pixels outside its patch, %d inside\n",
                   kPatches[c].name, stray, changed);
      clean = false;
    }
  }
  if (!clean) return 1;
  if (!png_write_rgb(argv[1], sheet.buffer)) {
    std::fprintf(stderr, "sheetgen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
