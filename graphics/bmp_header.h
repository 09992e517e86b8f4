// The BMP header check that comes before the platform's bitmap loader, which trusts every
// size and length a file claims. Portable.
#pragma once
#include <cstddef>
#include <cstdint>

// Bytes of a file that bmp_header_sane reads: the file header and a 40-byte info header.
constexpr size_t BMP_HEADER_BYTES = 54;

// True when head (the file's first length bytes of fileSize) is a BMP header the platform's
// loader may be given: a format it knows, each side within 1 .. DECODER_MAX_SIDE, at most
// DECODER_MAX_PIXELS pixels, and a file at least as long as its headers and colour table
// and, for uncompressed pixels, its rows.
bool bmp_header_sane(const uint8_t* head, size_t length, uint64_t fileSize);
