// The own sizing loop for windows with a sizing border that are neither maximised nor
// minimised: with full-window dragging on, an SC_SIZE runs through mouse capture here
// instead of the system's modal loop, so the program's event loop keeps running while the
// user resizes. Depends on user32.
// Limitation: one loop at a time (there is one mouse capture).
#include "runtime/objects.h"
#include "toolkit/window.h"

namespace {

struct SizingState {
  HWND hwnd;  // the window being sized; 0 = no loop
  int32_t edge;  // WMSZ_ numbering, 0 = keyboard sizing without an edge yet
  RECT rect;
  MINMAXINFO limits;
  bool keyboard;
  bool moved;
  POINT cursorBefore;
};

SizingState* g_sizing;

bool Left(int32_t e) { return e == WMSZ_LEFT || e == WMSZ_TOPLEFT || e == WMSZ_BOTTOMLEFT; }
bool Right(int32_t e) { return e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOMRIGHT; }
bool Top(int32_t e) { return e == WMSZ_TOP || e == WMSZ_TOPLEFT || e == WMSZ_TOPRIGHT; }
bool Bottom(int32_t e) { return e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT; }

void Start(HWND hwnd, WPARAM wParam) {
  SizingState& s = *g_sizing;
  s = {};
  s.hwnd = hwnd;
  s.edge = int32_t(wParam & 0xF);
  GetWindowRect(hwnd, &s.rect);
  LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE), exStyle = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  s.limits.ptMaxSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  if (style & WS_BORDER) s.limits.ptMaxPosition = {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
  else if (exStyle & WS_EX_WINDOWEDGE) s.limits.ptMaxPosition = {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE)};
  s.limits.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  s.limits.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&s.limits));
  if (GetKeyState(VK_LBUTTON) >= 0) SendMessageA(hwnd, WM_LBUTTONDOWN, 1, 0);
  SetCapture(hwnd);
  PostMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  if (s.edge == 0) {
    s.keyboard = true;
    GetCursorPos(&s.cursorBefore);
    SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
  }
}

// Where a moving edge may go: as far as to, then back as far as the size limits need. A
// leading edge (left, top) lies before the fixed one, a trailing edge after it.
LONG Limit(LONG to, LONG fixed, LONG minSize, LONG maxSize, bool leading) {
  LONG size = leading ? fixed - to : to - fixed;
  if (size < minSize) size = minSize;
  if (size > maxSize) size = maxSize;
  return leading ? fixed - size : fixed + size;
}

// Moves the current edge to the screen point p, keeps the size within the limits, resizes.
void Track(POINT p) {
  SizingState& s = *g_sizing;
  RECT r = s.rect;
  const MINMAXINFO& m = s.limits;
  LONG corner = s.edge == WMSZ_TOPLEFT ? 2 : 0;
  if (Left(s.edge)) r.left = Limit(p.x - corner, r.right, m.ptMinTrackSize.x, m.ptMaxTrackSize.x, true);
  if (Right(s.edge)) r.right = Limit(p.x + 2, r.left, m.ptMinTrackSize.x, m.ptMaxTrackSize.x, false);
  if (Top(s.edge)) r.top = Limit(p.y - corner, r.bottom, m.ptMinTrackSize.y, m.ptMaxTrackSize.y, true);
  if (Bottom(s.edge)) r.bottom = Limit(p.y + 2, r.top, m.ptMinTrackSize.y, m.ptMaxTrackSize.y, false);
  s.moved = true;
  SendMessageA(s.hwnd, WM_SIZING, WPARAM(s.edge), reinterpret_cast<LPARAM>(&r));
  s.rect = r;
  if (GetWindowLongPtrA(s.hwnd, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(s.hwnd), reinterpret_cast<POINT*>(&r), 2);
  MoveWindow(s.hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

struct EdgeStep {
  int32_t from;
  UINT key;
  int32_t to;
};

constexpr EdgeStep kEdgeSteps[] = {
    {0, VK_LEFT, WMSZ_LEFT},           {0, VK_RIGHT, WMSZ_RIGHT},        {0, VK_UP, WMSZ_TOP},
    {0, VK_DOWN, WMSZ_BOTTOM},         {WMSZ_TOP, VK_LEFT, WMSZ_TOPLEFT}, {WMSZ_LEFT, VK_UP, WMSZ_TOPLEFT},
    {WMSZ_TOP, VK_RIGHT, WMSZ_TOPRIGHT}, {WMSZ_RIGHT, VK_UP, WMSZ_TOPRIGHT}, {WMSZ_BOTTOM, VK_LEFT, WMSZ_BOTTOMLEFT},
    {WMSZ_LEFT, VK_DOWN, WMSZ_BOTTOMLEFT}, {WMSZ_BOTTOM, VK_RIGHT, WMSZ_BOTTOMRIGHT},
    {WMSZ_RIGHT, VK_DOWN, WMSZ_BOTTOMRIGHT},
};

// An arrow key: choose an edge and put the cursor on it, or move the cursor 10 pixels.
void Arrow(UINT key) {
  SizingState& s = *g_sizing;
  POINT cursor;
  GetCursorPos(&cursor);
  for (const EdgeStep& step : kEdgeSteps) {
    if (step.from != s.edge || step.key != key) continue;
    s.edge = step.to;
    const RECT& r = s.rect;
    POINT at = cursor;
    if (Left(s.edge)) at.x = s.edge == WMSZ_TOPLEFT ? r.left + 2 : r.left;
    if (Right(s.edge)) at.x = r.right - 2;
    if (Top(s.edge)) at.y = s.edge == WMSZ_TOPLEFT ? r.top + 2 : r.top;
    if (Bottom(s.edge)) at.y = r.bottom - 2;
    LPCSTR shape = IDC_SIZENWSE;
    if (s.edge == WMSZ_LEFT || s.edge == WMSZ_RIGHT) shape = IDC_SIZEWE;
    else if (s.edge == WMSZ_TOP || s.edge == WMSZ_BOTTOM) shape = IDC_SIZENS;
    else if (s.edge == WMSZ_TOPRIGHT || s.edge == WMSZ_BOTTOMLEFT) shape = IDC_SIZENESW;
    SetCursorPos(at.x, at.y);
    SetCursor(LoadCursorA(nullptr, shape));
    return;
  }
  if (key == VK_LEFT) cursor.x -= 10;
  if (key == VK_RIGHT) cursor.x += 10;
  if (key == VK_UP) cursor.y -= 10;
  if (key == VK_DOWN) cursor.y += 10;
  SetCursorPos(cursor.x, cursor.y);
  Track(cursor);
}

}  // namespace

void window_sizing_init() { g_sizing = static_cast<SizingState*>(NewLibraryState(sizeof(SizingState), nullptr)); }

bool window_sizing_message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (!g_sizing) return false;
  *result = 0;
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SIZE) {
    // Any program can post the command. A window the user cannot size is sized by no loop,
    // neither ours nor the system's (which would follow the mouse all the same).
    if (!(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_THICKFRAME) || IsZoomed(hwnd) || IsIconic(hwnd)) return true;
    BOOL fullDrag = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
    if (!fullDrag) return false;
    Start(hwnd, wParam);
    return true;
  }
  if (g_sizing->hwnd != hwnd) return false;
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT p{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
      ClientToScreen(hwnd, &p);
      if (g_sizing->edge) Track(p);
      return true;
    }
    case WM_LBUTTONUP:
      ReleaseCapture();
      return true;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        ReleaseCapture();
        return true;
      }
      if (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_UP || wParam == VK_DOWN) Arrow(UINT(wParam));
      return false;
    case WM_CAPTURECHANGED:
      PostMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
      if (g_sizing->keyboard && !g_sizing->moved) SetCursorPos(g_sizing->cursorBefore.x, g_sizing->cursorBefore.y);
      g_sizing->hwnd = nullptr;
      return true;
    default:
      return false;
  }
}
