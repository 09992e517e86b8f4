// Text on drawing outputs: GDI renders the text white on black into the output's text
// bitmap (top-down, 24 bits, as wide as the image) and the text mix puts it into the pixel
// memory with the front and back colours. Also the italic overhang and rotated text.
// The text context (device context and text bitmap) is made on a drawing's first text
// operation, and the last one given back is kept for the next drawing of the same width.
// Depends on gdi32. Limitation: text wider than the image is cut at the image's width.
#include <cmath>
#include <cstring>

#include "graphics/drawing_output.h"
#include "graphics/image.h"
#include "graphics/text_mix.h"

namespace {

HBITMAP TextDib(HDC dc, int32_t width, int32_t rows, uint8_t** pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -rows;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  *pixels = static_cast<uint8_t*>(bits);
  return bitmap;
}

// The columns an italic font's "H" reaches beyond its advance.
int32_t ItalicOverhang(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return 0;
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE size;
  int32_t overhang = 0;
  if (GetTextExtentPoint32A(dc, "H", 1, &size)) {
    const int32_t w = size.cx, h = size.cy;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 2 * w, 2 * h);
    if (bitmap) {
      HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
      RECT all{0, 0, 2 * w, 2 * h};
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, 0);
      SetTextColor(dc, 0xFFFFFF);
      TextOutA(dc, 0, 0, "H", 1);
      for (int32_t x = 2 * w - 1; x >= 0 && !overhang; --x)
        for (int32_t y = 0; y < h; ++y) {
          COLORREF pixel = GetPixel(dc, x, y);
          if (pixel != 0 && pixel != CLR_INVALID) {
            overhang = x - w + 2;
            break;
          }
        }
      SelectObject(dc, oldBitmap);
      DeleteObject(bitmap);
    }
  }
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  return overhang;
}

PixelBuffer TextBuffer(const DrawingOutput* o) {
  return {o->text_pixels, o->canvas.width, o->text_rows, o->text_stride, 3, false};
}

HFONT FontHandle(intptr_t font) {
  return font == SYSTEM_FONT_HANDLE ? static_cast<HFONT>(GetStockObject(SYSTEM_FONT)) : reinterpret_cast<HFONT>(font);
}

// The text context a drawing gave back: its device context, holding the system font and its
// text bitmap, for the next drawing on an image of the same width.
struct SpareText {
  HDC dc;
  HBITMAP bitmap;
  uint8_t* pixels;
  int32_t width, rows, stride;
};
SpareText g_spare;

void ApplyFont(DrawingOutput* o) {
  HFONT handle = FontHandle(o->font);
  if (GetCurrentObject(o->text_dc, OBJ_FONT) != handle) SelectObject(o->text_dc, handle);
  // Upright fonts, the usual case, are told from the text context's metrics without a
  // device context of their own.
  TEXTMETRICA metrics;
  o->overhang = GetTextMetricsA(o->text_dc, &metrics) && metrics.tmItalic ? ItalicOverhang(handle) : 0;
  if (o->rotated_font) DeleteObject(o->rotated_font);
  o->rotated_font = nullptr;
  SIZE size{0, 0};
  GetTextExtentPoint32A(o->text_dc, "Hg", 2, &size);
  int32_t needed = size.cy + 20 < 50 ? 50 : size.cy + 20;
  if (o->text_rows >= needed) return;
  uint8_t* pixels = nullptr;
  HBITMAP bitmap = TextDib(o->text_dc, o->canvas.width, needed, &pixels);
  if (!bitmap) return;  // the smaller bitmap stays; taller text is cut to it
  o->text_rows = needed;
  o->text_stride = dib_stride(o->canvas.width, 24);
  o->text_pixels = pixels;
  SelectObject(o->text_dc, bitmap);
  if (o->text_bitmap) DeleteObject(o->text_bitmap);
  o->text_bitmap = bitmap;
  SetBkMode(o->text_dc, OPAQUE);
  SetTextAlign(o->text_dc, 0);
  SetBkColor(o->text_dc, 0);
  SetTextColor(o->text_dc, 0xFFFFFF);
}

// The text context of a started drawing, made (or taken from the spare) on first use.
bool TextContext(DrawingOutput* o) {
  if (o->text_dc) return true;
  if (!o->started) return false;
  if (g_spare.dc && g_spare.width == o->canvas.width) {
    o->text_dc = g_spare.dc;
    o->text_bitmap = g_spare.bitmap;
    o->text_pixels = g_spare.pixels;
    o->text_rows = g_spare.rows;
    o->text_stride = g_spare.stride;
    g_spare = {};
  } else {
    o->text_dc = CreateCompatibleDC(nullptr);
    if (!o->text_dc) return false;
  }
  ApplyFont(o);
  return true;
}

bool Measure(DrawingOutput* o, const char* text, SIZE* size) {
  return text && *text && TextContext(o) &&
         GetTextExtentPoint32A(o->text_dc, text, int(std::strlen(text)), size);
}

}  // namespace

void output_set_font(DrawingOutput* o, intptr_t font) {
  o->font = font;
  if (o->text_dc) ApplyFont(o);
}

int32_t output_draw_text(DrawingOutput* o, int32_t x, int32_t y, const char* text) {
  SIZE size;
  if (!Measure(o, text, &size) || !o->text_pixels) return x;
  int32_t cx = size.cx, cy = size.cy;
  if (o->overhang > 0) {
    RECT all{0, 0, o->canvas.width, o->text_rows};
    FillRect(o->text_dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    cx += o->overhang;
  }
  if (cy > o->text_rows) cy = o->text_rows;
  // Left of the image the text is drawn from a negative column, so that the bitmap holds
  // only the visible part, from its column 0.
  int32_t left = x < 0 ? x : 0;
  if (!TextOutA(o->text_dc, left, 0, text, int(std::strlen(text)))) return x;
  GdiFlush();
  MixText(&o->canvas, TextBuffer(o), x - left, y, cx + left, cy, false);
  return x + cx;
}

void output_draw_rotated_text(DrawingOutput* o, int32_t x, int32_t y, const char* text, float angle) {
  SIZE size;
  if (!std::isfinite(angle) || !Measure(o, text, &size)) return;
  float turned = std::fmod(angle, 360.0f);
  if (!o->rotated_font || o->rotated_angle != turned) {
    LOGFONTA font;
    if (!GetObjectA(GetCurrentObject(o->text_dc, OBJ_FONT), sizeof font, &font)) return;
    font.lfEscapement = font.lfOrientation = LONG(turned * 10.0f);
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    HFONT rotated = CreateFontIndirectA(&font);
    if (!rotated) return;
    if (o->rotated_font) DeleteObject(o->rotated_font);
    o->rotated_font = rotated;
    o->rotated_angle = turned;
  }
  RotatedBox box = RotatedTextBox(size.cx + (o->overhang > 0 ? o->overhang : 0), size.cy, turned);
  if (box.width <= 0 || box.height <= 0) return;
  uint8_t* pixels = nullptr;
  HBITMAP bitmap = TextDib(o->text_dc, box.width, box.height, &pixels);
  if (!bitmap) return;
  HGDIOBJ oldBitmap = SelectObject(o->text_dc, bitmap);
  HGDIOBJ oldFont = SelectObject(o->text_dc, o->rotated_font);
  bool drawn = TextOutA(o->text_dc, box.originX, box.originY, text, int(std::strlen(text)));
  GdiFlush();
  SelectObject(o->text_dc, oldFont);
  SelectObject(o->text_dc, oldBitmap);
  if (drawn) {
    PixelBuffer rendered{pixels, box.width, box.height, dib_stride(box.width, 24), 3, false};
    MixText(&o->canvas, rendered, x - box.originX, y - box.originY, box.width, box.height, true);
  }
  DeleteObject(bitmap);
}

int32_t output_text_width(DrawingOutput* o, const char* text) {
  SIZE size;
  return Measure(o, text, &size) ? size.cx + o->overhang : 0;
}

int32_t output_text_height(DrawingOutput* o, const char* text) {
  SIZE size;
  return Measure(o, text, &size) ? size.cy : 0;
}

void output_text_end(DrawingOutput* o) {
  if (o->rotated_font) DeleteObject(o->rotated_font);
  if (o->text_dc && o->text_bitmap) {
    // The drawing's font may be freed after it: the spare holds the system font. The latest
    // context is the one kept.
    SelectObject(o->text_dc, GetStockObject(SYSTEM_FONT));
    if (g_spare.dc) {
      DeleteDC(g_spare.dc);
      DeleteObject(g_spare.bitmap);
    }
    g_spare = {o->text_dc, o->text_bitmap, o->text_pixels, o->canvas.width, o->text_rows, o->text_stride};
    o->text_bitmap = nullptr;
  } else if (o->text_dc) {
    DeleteDC(o->text_dc);
  }
  if (o->text_bitmap) DeleteObject(o->text_bitmap);
  o->text_dc = nullptr;
  o->text_bitmap = nullptr;
  o->text_pixels = nullptr;
  o->rotated_font = nullptr;
}
