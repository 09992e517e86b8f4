// Image objects: numbered pictures on DIB sections (or icons) in an object registry, made,
// copied, handed out and freed. Depends on gdi32/user32 and the runtime's object lists;
// grabs from DIB sections copy pixel memory directly (graphics/blit_copy.cpp), and a freed
// image's DIB section serves the next one of its size (graphics/dib_spares_win32.cpp).
// Limitation: sizes beyond 32767 do not fit the record's 16-bit fields and are not guarded.
#include "graphics/image.h"

#include "graphics/blit.h"

ObjectList* g_imageList;

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000;

// The result creating operations give: the handle, or the dynamic id for -1.
intptr_t CreatedResult(ObjectId number, const void* record, HANDLE handle) {
  return number == DynamicNumber ? ObjectIdOf(g_imageList, record) : reinterpret_cast<intptr_t>(handle);
}

// A slot claimed for an object that then failed to appear: dynamic nodes are dropped.
void DropClaim(void* record) {
  ReleaseObject(g_imageList, ObjectIdOf(g_imageList, record));
}

void FillRecord(ImageRecord* record, HANDLE handle, const BITMAP& bm, int32_t sourceDepth) {
  record->handle = handle;
  record->width = int16_t(bm.bmWidth);
  record->height = int16_t(bm.bmHeight);
  record->depth = uint8_t(bm.bmBitsPixel);
  record->source_depth = uint8_t(sourceDepth);
}

}  // namespace

bool bitmap_copy(HBITMAP target, int32_t width, int32_t height, HBITMAP source, int32_t x, int32_t y,
                 int32_t sourceWidth, int32_t sourceHeight, bool halftone) {
  HDC sourceDc = CreateCompatibleDC(nullptr), targetDc = CreateCompatibleDC(nullptr);
  bool ok = false;
  if (sourceDc && targetDc) {
    // A bitmap selected elsewhere (an image being drawn on) cannot be selected here.
    HGDIOBJ oldSource = SelectObject(sourceDc, source), oldTarget = SelectObject(targetDc, target);
    if (oldSource && oldTarget && width == sourceWidth && height == sourceHeight) {
      ok = BitBlt(targetDc, 0, 0, width, height, sourceDc, x, y, SRCCOPY);
    } else if (oldSource && oldTarget) {
      if (halftone) {
        SetStretchBltMode(targetDc, HALFTONE);
        SetBrushOrgEx(targetDc, 0, 0, nullptr);
      }
      ok = StretchBlt(targetDc, 0, 0, width, height, sourceDc, x, y, sourceWidth, sourceHeight, SRCCOPY);
    }
    if (oldSource) SelectObject(sourceDc, oldSource);
    if (oldTarget) SelectObject(targetDc, oldTarget);
  }
  if (sourceDc) DeleteDC(sourceDc);
  if (targetDc) DeleteDC(targetDc);
  return ok;
}

int32_t dib_stride(int32_t width, int32_t bits) {
  switch (bits) {
    case 1: return ((width + 31) / 32) * 4;
    case 4: return ((width + 7) / 8) * 4;
    case 8: return ((width + 3) / 4) * 4;
    case 15:
    case 16: return ((width + 1) / 2) * 4;
    case 24: return ((3 * width + 3) / 4) * 4;
    default: return 4 * width;
  }
}

HBITMAP dib_create(int32_t width, int32_t height, int32_t depth, void** pixels) {
  if (pixels) *pixels = nullptr;
  // A negative height would ask the platform for a top-down bitmap, which no reader expects.
  if (width <= 0 || height <= 0) return nullptr;
  if (HBITMAP spare = dib_spare_take(width, height, depth > 23 ? depth : 24, pixels)) return spare;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = WORD(depth > 23 ? depth : 24);
  info.bmiHeader.biCompression = BI_RGB;
  // With DIB_RGB_COLORS the device context would only be asked for a palette it does not
  // need: none is made.
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (pixels) *pixels = bitmap ? bits : nullptr;
  return bitmap;
}

bool dib_pixels(HBITMAP bitmap, PixelBuffer* out) {
  DIBSECTION dib;
  if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return false;
  if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return false;
  int32_t bits = dib.dsBm.bmBitsPixel;
  if (bits != 24 && bits != 32) return false;
  *out = {static_cast<uint8_t*>(dib.dsBm.bmBits), dib.dsBm.bmWidth, dib.dsBm.bmHeight,
          dib_stride(dib.dsBm.bmWidth, bits), bits / 8, dib.dsBmih.biHeight > 0};
  return true;
}

void image_library_init() {
  g_imageList = NewObjectList(sizeof(ImageRecord), 16, image_free);
}

void image_library_end() {
  FreeAllObjects(g_imageList);
  dib_spares_free();
}

intptr_t image_create(ObjectId number, int32_t width, int32_t height, int32_t depth) {
  uint32_t fill = kOpaqueBlack;
  if (depth & IMAGE_TRANSPARENT) {
    fill = 0;
    depth &= ~IMAGE_TRANSPARENT;
  }
  auto* record = static_cast<ImageRecord*>(AllocateObject(g_imageList, number));
  if (!record) return 0;
  void* bits = nullptr;
  HBITMAP bitmap = dib_create(width, height, depth, &bits);
  BITMAP bm;
  if (!bitmap || !bits || GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm) {
    if (bitmap) DeleteObject(bitmap);
    DropClaim(record);
    return 0;
  }
  // The new memory is all zero bytes, black at 24 bits and transparent black at 32: only the
  // opaque 32-bit fill is written, without a GDI fill on the refresh's path.
  if (bm.bmBitsPixel == 32 && fill != 0) {
    int32_t stride = dib_stride(bm.bmWidth, bm.bmBitsPixel);
    for (int32_t row = 0; row < bm.bmHeight; ++row) {
      auto* p = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(bits) + intptr_t(row) * stride);
      for (int32_t x = 0; x < bm.bmWidth; ++x) p[x] = fill;
    }
  }
  FillRecord(record, bitmap, bm, bm.bmBitsPixel);
  return CreatedResult(number, record, bitmap);
}

intptr_t image_grab(ObjectId source, ObjectId target, int32_t x, int32_t y, int32_t width, int32_t height) {
  auto* from = static_cast<ImageRecord*>(LookUpObject(g_imageList, source));
  if (!from || target < DynamicNumber) return 0;
  auto sourceBitmap = static_cast<HBITMAP>(from->handle);
  int32_t depth = from->depth, sourceDepth = from->source_depth;
  HBITMAP copy = dib_create(width, height, depth);
  if (!copy) return 0;
  PixelBuffer in, out;
  bool copied = dib_pixels(sourceBitmap, &in) && dib_pixels(copy, &out) && CopyPixelRect(out, in, x, y);
  if (!copied) copied = bitmap_copy(copy, width, height, sourceBitmap, x, y, width, height, false);
  BITMAP bm;
  copied = copied && GetObjectA(copy, sizeof bm, &bm) == sizeof bm;
  // The copy is complete before the target's old image (possibly the source) is freed.
  auto* record = copied ? static_cast<ImageRecord*>(AllocateObject(g_imageList, target)) : nullptr;
  if (!record) {
    DeleteObject(copy);
    return 0;
  }
  FillRecord(record, copy, bm, sourceDepth);
  record->depth = uint8_t(depth);
  return CreatedResult(target, record, copy);
}

intptr_t image_store(ObjectId number, HANDLE handle, int32_t sourceDepth) {
  if (!handle) return 0;
  bool bitmap = GetObjectType(handle) == OBJ_BITMAP;
  BITMAP bm{};
  bool described = false;
  if (bitmap) {
    described = GetObjectA(handle, sizeof bm, &bm) == sizeof bm;
  } else {
    ICONINFO icon;
    if (GetIconInfo(static_cast<HICON>(handle), &icon)) {
      HBITMAP colour = icon.hbmColor ? icon.hbmColor : icon.hbmMask;
      described = GetObjectA(colour, sizeof bm, &bm) == sizeof bm;
      // A monochrome icon keeps image and mask stacked in one bitmap of twice the height.
      if (!icon.hbmColor) bm.bmHeight /= 2;
      if (icon.hbmColor) DeleteObject(icon.hbmColor);
      if (icon.hbmMask) DeleteObject(icon.hbmMask);
    }
  }
  auto* record = described ? static_cast<ImageRecord*>(AllocateObject(g_imageList, number)) : nullptr;
  if (!record) {
    if (bitmap) DeleteObject(handle);
    else DestroyIcon(static_cast<HICON>(handle));
    return 0;
  }
  FillRecord(record, handle, bm, sourceDepth);
  return CreatedResult(number, record, handle);
}

HANDLE image_handle(ObjectId number) {
  auto* record = static_cast<ImageRecord*>(LookUpObject(g_imageList, number));
  return record ? record->handle : nullptr;
}

void image_free(ObjectId number) {
  if (number == DynamicNumber) return;
  auto* record = static_cast<ImageRecord*>(LookUpObject(g_imageList, number));
  if (!record) return;
  if (GetObjectType(record->handle) != OBJ_BITMAP) DestroyIcon(static_cast<HICON>(record->handle));
  else if (!dib_spare_keep(static_cast<HBITMAP>(record->handle))) DeleteObject(record->handle);
  ReleaseObject(g_imageList, number);
}
