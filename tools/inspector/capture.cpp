// Inspector capture: the pixels of a window's client area as they are on the screen,
// written as a 24-bit bottom-up BMP.
// Dependencies: user32, gdi32.
// Limitations: copies what is visible; parts covered by other windows or off the screen
// come out as whatever covers them.
#include "tools/inspector/actions.h"

#include <cstdio>
#include <vector>

namespace inspector {
namespace {

bool write_bmp(const std::wstring& path, int w, int h, const std::vector<BYTE>& rows) {
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biCompression = BI_RGB;
  ih.biSizeImage = static_cast<DWORD>(rows.size());
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  const bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1 &&
                  std::fwrite(rows.data(), 1, rows.size(), f) == rows.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

bool save_client(HWND top, const std::wstring& path) {
  RECT cr;
  if (!GetClientRect(top, &cr)) return false;
  const int w = cr.right - cr.left, h = cr.bottom - cr.top;
  if (w <= 0 || h <= 0) return false;

  HDC window_dc = GetDC(top);
  if (!window_dc) return false;
  HDC mem = CreateCompatibleDC(window_dc);
  HBITMAP bmp = CreateCompatibleBitmap(window_dc, w, h);
  bool ok = mem && bmp;
  std::vector<BYTE> rows;
  if (ok) {
    HGDIOBJ old = SelectObject(mem, bmp);
    ok = BitBlt(mem, 0, 0, w, h, window_dc, 0, 0, SRCCOPY) != 0;
    SelectObject(mem, old);
  }
  if (ok) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    rows.resize(stride * static_cast<size_t>(h));
    ok = GetDIBits(mem, bmp, 0, static_cast<UINT>(h), rows.data(), &bi, DIB_RGB_COLORS) == h;
  }
  if (bmp) DeleteObject(bmp);
  if (mem) DeleteDC(mem);
  ReleaseDC(top, window_dc);
  return ok && write_bmp(path, w, h, rows);
}

}  // namespace inspector
