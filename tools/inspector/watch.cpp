// Inspector watches: poll one control's text, or one client pixel, every millisecond and
// report the wall-clock moment it first shows the awaited state, so that a test measures
// the program's reaction and not the start-up of the inspector under Wine.
// Dependencies: user32, gdi32.
// Limitations: another process's control answers a text query only when that process next
// fetches a message, so a text is seen at the first such moment after it was set; texts
// of 512 characters or more never match.
#include "tools/inspector/actions.h"

#include <cstdio>

namespace inspector {
namespace {

// Microseconds since 1970 on the wall clock, the clock a Linux shell reads as
// $EPOCHREALTIME, so a test can put its own moments beside the inspector's.
long long unix_micros() {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  return static_cast<long long>((t.QuadPart - 116444736000000000ULL) / 10);
}

// One WM_GETTEXT, without asking for the length first: each message to another process
// waits for its next message fetch, so two would see a change one fetch later.
std::wstring text_of(HWND control) {
  wchar_t buf[512];
  const LRESULT got = ask(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf));
  return std::wstring(buf, got > 0 && got < 512 ? static_cast<size_t>(got) : 0);
}

void report(const char* what, COLORREF colour) {
  std::printf("%s\t%lld\t0x%06lX\n", what, unix_micros(), static_cast<unsigned long>(colour));
  std::fflush(stdout);
}

}  // namespace

bool watch_text(const std::wstring& title, int id, const std::wstring& text, DWORD wait_ms) {
  report("armed", 0);
  const ULONGLONG deadline = GetTickCount64() + wait_ms;
  HWND control = nullptr;
  for (;;) {
    if (!control) {
      if (HWND top = find_top_window(title, nullptr, 0)) control = find_control(top, id);
    }
    if (control && text_of(control) == text) {
      report("seen", 0);
      return true;
    }
    if (GetTickCount64() >= deadline) return false;
    Sleep(1);
  }
}

bool watch_pixel(HWND top, int x, int y, DWORD wait_ms) {
  HDC dc = GetDC(top);
  if (!dc) return false;
  const COLORREF before = GetPixel(dc, x, y);
  report("armed", before);
  const ULONGLONG deadline = GetTickCount64() + wait_ms;
  bool seen = false;
  for (;;) {
    const COLORREF now = GetPixel(dc, x, y);
    if (now != before && now != CLR_INVALID) {
      report("seen", now);
      seen = true;
      break;
    }
    if (GetTickCount64() >= deadline) break;
    Sleep(1);
  }
  ReleaseDC(top, dc);
  return seen;
}

}  // namespace inspector
