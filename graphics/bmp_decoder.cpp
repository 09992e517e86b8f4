// BMP decoder for the files the platform's own loader refused: 1, 4, 8, RLE8, 16 (5-5-5),
// 24 and 32 bits per pixel, always into 24-bit pixels. Reads the whole file into one buffer
// from the runtime heap and never reads outside it nor writes outside the picture.
// Limitations: RLE4 and other depths write nothing; bottom-up files with a 40-byte or
// larger info header only (top-down and OS/2 files are refused); bit fields are not read.
#include "graphics/decoder.h"
#include "runtime/runtime.h"

namespace {

// A file bigger than this cannot describe a picture within the registry's size limits.
constexpr long kMaxFileBytes = long(1) << 29;
constexpr size_t kInfoHeaderAt = 14;
constexpr size_t kMinInfoHeader = 40;

struct BmpBuffer {
  size_t size;  // the file's bytes follow this header
};

uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

// The file's bytes and the picture being written, with every bound in one place.
struct BmpImage {
  const uint8_t* data;
  size_t size;
  const PixelBuffer* target;
  size_t table;         // file offset of the colour table
  uint32_t tableCount;  // entries an index may name
  uint32_t bits;

  // File row r counts from the picture's bottom line.
  void Put(int64_t x, int64_t r, uint8_t blue, uint8_t green, uint8_t red) const {
    if (x < 0 || x >= target->width || r < 0 || r >= target->height) return;
    uint8_t* out = PixelLine(*target, target->height - 1 - int32_t(r)) + x * target->bytesPerPixel;
    out[0] = blue;
    out[1] = green;
    out[2] = red;
  }
  // An index beyond the table, or an entry beyond the file, leaves the pixel black.
  void PutIndexed(int64_t x, int64_t r, uint32_t index) const {
    size_t entry = table + size_t(index) * 4;
    if (index >= tableCount || entry > size || size - entry < 3) return;
    Put(x, r, data[entry], data[entry + 1], data[entry + 2]);
  }
};

void DecodeRows(const BmpImage& image, size_t offset) {
  const PixelBuffer& t = *image.target;
  const uint64_t stride = ((uint64_t(t.width) * image.bits + 31) / 32) * 4;
  for (int64_t r = 0; r < t.height; ++r) {
    uint64_t start = offset + uint64_t(r) * stride;
    if (start >= image.size) return;
    const uint8_t* row = image.data + start;
    const uint64_t available = image.size - start < stride ? image.size - start : stride;
    for (int64_t x = 0; x < t.width; ++x) {
      // Pixel x lies in bytes [x * bits / 8, ((x + 1) * bits + 7) / 8) of the row.
      if ((uint64_t(x + 1) * image.bits + 7) / 8 > available) break;
      const uint8_t* p = row + uint64_t(x) * image.bits / 8;
      switch (image.bits) {
        case 1: {
          uint8_t v = (p[0] >> (7 - x % 8)) & 1 ? 255 : 0;
          image.Put(x, r, v, v, v);
          break;
        }
        case 4: image.PutIndexed(x, r, x % 2 ? p[0] & 15 : p[0] >> 4); break;
        case 8: image.PutIndexed(x, r, p[0]); break;
        case 16: {
          uint16_t v = Read16(p);
          image.Put(x, r, uint8_t((v & 31) << 3), uint8_t(((v >> 5) & 31) << 3), uint8_t(((v >> 10) & 31) << 3));
          break;
        }
        default: image.Put(x, r, p[0], p[1], p[2]); break;
      }
    }
  }
}

// Run-length pairs; positions are kept wide so that no run of a hostile file can wrap them.
void DecodeRle8(const BmpImage& image, size_t pos) {
  const uint8_t* d = image.data;
  int64_t x = 0, r = 0;
  while (pos + 1 < image.size && r < image.target->height) {
    uint8_t count = d[pos], value = d[pos + 1];
    pos += 2;
    if (count) {
      for (int k = 0; k < count; ++k) image.PutIndexed(x + k, r, value);
      x += count;
      continue;
    }
    if (value == 0) {
      x = 0;
      ++r;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (pos + 1 >= image.size) return;
      x += d[pos];
      r += d[pos + 1];
      pos += 2;
    } else {
      for (int k = 0; k < value && pos + k < image.size; ++k) image.PutIndexed(x + k, r, d[pos + k]);
      x += value;
      pos += value + (value & 1);
    }
  }
}

void BmpRelease(DecoderContext* c) {
  ObjectFree(c->private_a);
  c->private_a = nullptr;
  c->private_b = nullptr;
}

int32_t BmpProbe(DecoderContext* c) {
  if (std::fseek(c->file, 0, SEEK_END) != 0) return 0;
  long size = std::ftell(c->file);
  if (size < long(kInfoHeaderAt) || size > kMaxFileBytes || std::fseek(c->file, 0, SEEK_SET) != 0) return 0;
  auto* buffer = static_cast<BmpBuffer*>(ObjectAlloc(sizeof(BmpBuffer) + size_t(size)));
  if (!buffer) return 0;
  buffer->size = size_t(size);
  c->private_a = buffer;
  auto* data = reinterpret_cast<uint8_t*>(buffer + 1);
  c->private_b = data;
  bool header = std::fread(data, 1, kInfoHeaderAt, c->file) == kInfoHeaderAt && Read16(data) == 0x4D42 &&
                Read16(data + 6) == 0 && Read16(data + 8) == 0;
  // The fields read below lie in the info header; older, smaller headers place them elsewhere.
  bool info = header && size_t(size) >= kInfoHeaderAt + kMinInfoHeader &&
              std::fread(data + kInfoHeaderAt, 1, size - kInfoHeaderAt, c->file) == size_t(size) - kInfoHeaderAt &&
              Read32(data + kInfoHeaderAt) >= kMinInfoHeader;
  if (!info) {
    BmpRelease(c);
    return 0;
  }
  c->width = int32_t(Read32(data + 18));
  c->height = int32_t(Read32(data + 22));
  c->source_depth = Read16(data + 28);
  c->depth = 24;
  return 1;
}

int32_t BmpDecode(DecoderContext* c, const PixelBuffer& target) {
  if (target.width != c->width || target.height != c->height || target.bytesPerPixel < 3) return 1;
  const auto* buffer = static_cast<const BmpBuffer*>(c->private_a);
  const auto* data = static_cast<const uint8_t*>(c->private_b);
  BmpImage image{data, buffer->size, &target, kInfoHeaderAt + Read32(data + kInfoHeaderAt), 0, Read16(data + 28)};
  if (image.bits <= 8) {
    uint32_t used = Read32(data + 46);
    image.tableCount = used && used < (1u << image.bits) ? used : 1u << image.bits;
  }
  const size_t offset = Read32(data + 10);
  const uint32_t compression = Read32(data + 30);
  switch (image.bits) {
    case 1:
    case 16:
    case 24:
    case 32: DecodeRows(image, offset); break;
    case 4:
    case 8:
      if (compression == 0) DecodeRows(image, offset);
      else if (compression == 1 && image.bits == 8) DecodeRle8(image, offset);
      break;
    default: break;
  }
  return 1;
}

const Decoder kBmpDecoder{BmpProbe, BmpDecode, BmpRelease};

}  // namespace

void bmp_decoder_register() { decoder_register(&kBmpDecoder); }
