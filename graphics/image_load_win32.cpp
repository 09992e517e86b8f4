// image_load: picture files into image objects. The platform's loader is asked first for a
// bitmap, then for an icon (a BMP only when its header is sane); any other file goes to the
// decoder registry, which writes straight into a new DIB section. Depends on user32, gdi32,
// the image library, the decoders.
// Limitations: a file that fails part-way still gives an image whose unread rows are black.
#include "graphics/decoder_load.h"

#include <windows.h>

#include "graphics/bmp_header.h"
#include "graphics/decoder.h"
#include "graphics/image.h"
#include "runtime/runtime.h"

namespace {

HINSTANCE Instance() { return static_cast<HINSTANCE>(g_runtime.instance); }

// A 24-bit copy of a loaded bitmap, which it replaces; the loaded one when no copy can be made.
HBITMAP ConvertTo24(HBITMAP loaded, const BITMAP& bm) {
  HBITMAP copy = dib_create(bm.bmWidth, bm.bmHeight, 24);
  if (!copy) return loaded;
  HDC from = CreateCompatibleDC(nullptr);
  HDC to = CreateCompatibleDC(nullptr);
  bool copied = false;
  if (from && to) {
    HGDIOBJ oldFrom = SelectObject(from, loaded);
    HGDIOBJ oldTo = SelectObject(to, copy);
    copied = BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  }
  if (from) DeleteDC(from);
  if (to) DeleteDC(to);
  if (!copied) {
    DeleteObject(copy);
    return loaded;
  }
  DeleteObject(loaded);
  return copy;
}

HANDLE LoadPlatformBitmap(const char* fileName, int32_t* sourceDepth) {
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(Instance(), fileName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
  if (!bitmap) return nullptr;
  BITMAP bm;
  if (GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm) {
    DeleteObject(bitmap);
    return nullptr;
  }
  *sourceDepth = bm.bmBitsPixel;
  if (bm.bmBitsPixel <= 16 || bm.bmBitsPixel == 32) return ConvertTo24(bitmap, bm);
  return bitmap;
}

HANDLE LoadPlatformIcon(const char* fileName, int32_t* sourceDepth) {
  auto icon = static_cast<HICON>(LoadImageA(Instance(), fileName, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
  if (!icon) return nullptr;
  ICONINFO info;
  BITMAP bm{};
  if (GetIconInfo(icon, &info)) {
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  *sourceDepth = bm.bmBitsPixel;
  return icon;
}

// A BMP goes to the platform's loaders only with a sane header (bmp_header.h); other files
// go as they are, and a file that cannot be read is left to the loaders to refuse.
bool ForPlatformLoaders(const char* fileName) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  uint8_t head[BMP_HEADER_BYTES];
  DWORD got = 0;
  LARGE_INTEGER size{};
  bool read = ReadFile(file, head, sizeof head, &got, nullptr) && GetFileSizeEx(file, &size);
  CloseHandle(file);
  if (!read || got < 2 || head[0] != 'B' || head[1] != 'M') return true;
  return bmp_header_sane(head, got, uint64_t(size.QuadPart));
}

HANDLE LoadDecoded(const char* fileName, int32_t* sourceDepth) {
  if (!decoder_open(fileName)) return nullptr;
  const int32_t width = decoder_width();
  const int32_t depth = decoder_depth();
  void* pixels = nullptr;
  HBITMAP bitmap = dib_create(width, decoder_height(), depth, &pixels);
  if (!bitmap || !pixels) {
    if (bitmap) DeleteObject(bitmap);
    decoder_close();
    return nullptr;
  }
  *sourceDepth = decoder_source_depth();
  // The result is not consulted: a file that fails part-way keeps what was read.
  decoder_decode(static_cast<uint8_t*>(pixels), dib_stride(width, depth), DECODE_BOTTOM_UP);
  return bitmap;
}

}  // namespace

intptr_t image_load(ObjectId number, const char* file_name) {
  image_free(number);
  if (!file_name) return 0;
  int32_t sourceDepth = 0;
  HANDLE handle = nullptr;
  if (ForPlatformLoaders(file_name)) {
    handle = LoadPlatformBitmap(file_name, &sourceDepth);
    if (!handle) handle = LoadPlatformIcon(file_name, &sourceDepth);
  }
  if (!handle) handle = LoadDecoded(file_name, &sourceDepth);
  return handle ? image_store(number, handle, sourceDepth) : 0;
}
