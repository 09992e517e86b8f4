// The BMP header check before the platform's bitmap loader. The loader believes a file's
// sizes: a 118-byte file that claims 4000 x 4000 pixels crashes it (under Wine), a 1 KB RLE8
// file of 16000 x 16000 pixels takes gigabytes and many seconds. A file that fails here goes
// to our own decoder, which reads only what the file holds and keeps the same size limits.
// Portable; no state.
#include "graphics/bmp_header.h"

#include "graphics/decoder.h"

namespace {

uint32_t Read16(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8); }
uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

constexpr uint32_t kCoreHeader = 12;  // 16-bit sizes, colour table entries of 3 bytes
constexpr uint32_t kInfoHeader = 40;
constexpr uint32_t kLargestHeader = 124;

bool KnownFormat(uint32_t bits, uint32_t compression) {
  switch (compression) {
    case 0: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case 1: return bits == 8;   // RLE8
    case 2: return bits == 4;   // RLE4
    case 3: return bits == 16 || bits == 32;  // bit fields
    default: return false;
  }
}

}  // namespace

bool bmp_header_sane(const uint8_t* head, size_t length, uint64_t fileSize) {
  if (length < 26 || head[0] != 'B' || head[1] != 'M') return false;
  const uint32_t headerSize = Read32(head + 14);
  int64_t width, height;
  uint32_t bits, compression = 0, colours = 0, entry = 4;
  if (headerSize == kCoreHeader) {
    width = Read16(head + 18);
    height = Read16(head + 20);
    bits = Read16(head + 24);
    entry = 3;
  } else if (headerSize >= kInfoHeader && headerSize <= kLargestHeader && length >= BMP_HEADER_BYTES) {
    width = int32_t(Read32(head + 18));
    height = int32_t(Read32(head + 22));
    bits = Read16(head + 28);
    compression = Read32(head + 30);
    colours = Read32(head + 46);
  } else {
    return false;
  }
  if (height < 0) height = -height;  // top-down
  if (width < 1 || width > DECODER_MAX_SIDE || height < 1 || height > DECODER_MAX_SIDE ||
      width * height > DECODER_MAX_PIXELS || !KnownFormat(bits, compression))
    return false;

  uint64_t tableEntries = colours;
  if (bits <= 8 && (colours == 0 || colours > (1u << bits))) tableEntries = 1u << bits;
  const uint64_t masks = compression == 3 && headerSize == kInfoHeader ? 12 : 0;
  const uint64_t tableEnd = 14 + uint64_t(headerSize) + masks + tableEntries * entry;
  const uint64_t offset = Read32(head + 10);
  uint64_t needed = offset > tableEnd ? offset : tableEnd;
  if (compression == 0 || compression == 3) needed += (uint64_t(width) * bits + 31) / 32 * 4 * uint64_t(height);
  return fileSize >= needed;
}
