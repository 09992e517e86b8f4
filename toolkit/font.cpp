// Fonts: numbered GDI fonts made from a face name, a size in points and style flags, with
// the height worked out for the display's vertical resolution. Depends on gdi32 and the
// object registry. Limitation: the display's DPI is read at each load, not followed later.
#include "toolkit/font.h"

#include "toolkit/gdi_count.h"

namespace {

ObjectList* g_fontList;

struct FontRecord {
  HFONT font;  // 0 = free slot
};

}  // namespace

void font_library_init() { g_fontList = NewObjectList(sizeof(FontRecord), 16, font_free); }

void font_library_end() { FreeAllObjects(g_fontList); }

intptr_t font_load(ObjectId number, const char* face, int32_t points, int32_t flags) {
  auto* record = static_cast<FontRecord*>(AllocateObject(g_fontList, number));
  if (!record) return 0;
  // A failed load gives a dynamic record back at once rather than leave it in the list.
  ObjectId id = ObjectIdOf(g_fontList, record);
  HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!dc) {
    ReleaseObject(g_fontList, id);
    return 0;
  }
  int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  HFONT font = CreateFontA(height, 0, 0, 0, (flags & FONT_BOLD) ? FW_BOLD : FW_NORMAL, (flags & FONT_ITALIC) ? 1 : 0,
                           (flags & FONT_UNDERLINE) ? 1 : 0, (flags & FONT_STRIKEOUT) ? 1 : 0, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           (flags & FONT_HIGH_QUALITY) ? PROOF_QUALITY : DEFAULT_QUALITY, 0, face ? face : "");
  DeleteDC(dc);
  if (!font) {
    ReleaseObject(g_fontList, id);
    return 0;
  }
  ++g_gdiCounts.fonts;
  record->font = font;
  return number == DynamicNumber ? id : reinterpret_cast<intptr_t>(font);
}

HFONT font_handle(ObjectId number) {
  auto* record = static_cast<FontRecord*>(LookUpObject(g_fontList, number));
  return record ? record->font : nullptr;
}

void font_free(ObjectId number) {
  auto* record = static_cast<FontRecord*>(LookUpObject(g_fontList, number));
  if (!record) return;
  DeleteObject(record->font);
  --g_gdiCounts.fonts;
  ReleaseObject(g_fontList, number);
}
