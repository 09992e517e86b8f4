// Picture files made byte by byte for the decoder tests: small PNGs (zlib + CRC of our own
// making, so that every pixel and every chunk is known) and BMPs with any header we like.
#pragma once
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/decoder.h"

using Bytes = std::vector<uint8_t>;

inline void Put32BE(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}
inline void Put32LE(Bytes& b, uint32_t v) {
  for (int s = 0; s < 32; s += 8) b.push_back(uint8_t(v >> s));
}
inline void Put16LE(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

inline void PngChunk(Bytes& file, const char* type, const Bytes& data) {
  Put32BE(file, uint32_t(data.size()));
  size_t start = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data.begin(), data.end());
  Put32BE(file, uint32_t(crc32(0, file.data() + start, uInt(file.size() - start))));
}

// A non-interlaced PNG; rows holds each line's bytes without the filter byte.
inline Bytes MakePng(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colourType, const Bytes& rows,
                     const Bytes& trns = {}, const Bytes& palette = {}, int level = 6) {
  Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  Put32BE(ihdr, width);
  Put32BE(ihdr, height);
  ihdr.insert(ihdr.end(), {bitDepth, colourType, 0, 0, 0});
  PngChunk(file, "IHDR", ihdr);
  if (!palette.empty()) PngChunk(file, "PLTE", palette);
  if (!trns.empty()) PngChunk(file, "tRNS", trns);
  Bytes raw;
  size_t rowBytes = height ? rows.size() / height : 0;
  for (uint32_t y = 0; y < height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rows.begin() + y * rowBytes, rows.begin() + (y + 1) * rowBytes);
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), level);
  packed.resize(packedSize);
  PngChunk(file, "IDAT", packed);
  PngChunk(file, "IEND", {});
  return file;
}

struct BmpFields {
  int32_t width = 4;
  int32_t height = 2;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  uint32_t colourCount = 0;    // the info header's used-colours field
  Bytes palette;               // 4 bytes an entry: blue, green, red, 0
  int64_t pixelOffset = -1;    // -1: right behind the palette
};

inline Bytes MakeBmp(const BmpFields& s, const Bytes& pixels) {
  const uint32_t offset = s.pixelOffset >= 0 ? uint32_t(s.pixelOffset) : uint32_t(54 + s.palette.size());
  Bytes b{'B', 'M'};
  Put32LE(b, uint32_t(54 + s.palette.size() + pixels.size()));
  Put32LE(b, 0);
  Put32LE(b, offset);
  Put32LE(b, s.headerSize);
  Put32LE(b, uint32_t(s.width));
  Put32LE(b, uint32_t(s.height));
  Put16LE(b, 1);
  Put16LE(b, s.bits);
  Put32LE(b, s.compression);
  Put32LE(b, uint32_t(pixels.size()));
  Put32LE(b, 2835);
  Put32LE(b, 2835);
  Put32LE(b, s.colourCount);
  Put32LE(b, 0);
  b.insert(b.end(), s.palette.begin(), s.palette.end());
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

inline bool WriteBytes(const std::string& path, const Bytes& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// A fixture over Base whose test files go to a folder of their own under the test data.
template <typename Base>
class WithTestFiles : public Base {
 protected:
  explicit WithTestFiles(const char* folder) : dir_(std::string(VLMR_DECODER_DATA) + "/" + folder) {}
  void SetUp() override {
    Base::SetUp();
    std::filesystem::create_directories(dir_);
  }
  // Writes a file of that folder and returns its path.
  std::string Write(const std::string& name, const Bytes& bytes) {
    std::string path = dir_ + "/" + name;
    EXPECT_TRUE(WriteBytes(path, bytes)) << path;
    return path;
  }
  std::string dir_;
};

inline Bytes ReadBytes(const std::string& path) {
  Bytes bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  return bytes;
}

struct Decoded {
  bool opened = false;
  int32_t result = 0;
  int32_t width = 0, height = 0, depth = 0, sourceDepth = 0;
  Bytes pixels;  // rows packed tight, so that the sanitizer sees any byte written beyond them
};

inline Decoded DecodeFile(const std::string& path, int32_t flags = 0) {
  Decoded d;
  d.opened = decoder_open(path.c_str()) != 0;
  if (!d.opened) return d;
  d.width = decoder_width();
  d.height = decoder_height();
  d.depth = decoder_depth();
  d.sourceDepth = decoder_source_depth();
  const int32_t stride = d.width * (d.depth / 8);
  d.pixels.assign(size_t(stride) * size_t(d.height), 0);
  d.result = decoder_decode(d.pixels.data(), stride, flags);
  return d;
}
