// Windows under the real user32: exact client size, the flag rules, centring, re-opening a
// number, WM_CLOSE only asking, and the failure path.
#include "tests/toolkit/toolkit_fixture.h"

namespace {

bool ClassExists(const char* name) {
  WNDCLASSA wc;
  return GetClassInfoA(GetModuleHandleA(nullptr), name, &wc) != 0;
}

TEST(Windows, ProgramWindowHasExactClientCaptionAndNoSystemMenu) {
  ASSERT_EQ(GetActiveWindow(), nullptr);
  auto hwnd = reinterpret_cast<HWND>(window_open(0, 0, 0, 620, 300, "Vellomir V1.0", 2));
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window_handle(0), hwnd);
  RECT client, outer;
  GetClientRect(hwnd, &client);
  GetWindowRect(hwnd, &outer);
  EXPECT_EQ(client.right - client.left, 620);
  EXPECT_EQ(client.bottom - client.top, 300);
  EXPECT_EQ(outer.left, 0);
  EXPECT_EQ(outer.top, 0);
  LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_TRUE(style & WS_VISIBLE);
  char title[32] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  EXPECT_STREQ(title, "Vellomir V1.0");
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(hwnd, "KV_WindowID")), 1);
  EXPECT_TRUE(ClassExists("WindowClass_0"));
  EXPECT_EQ(gadget_list_use(nullptr), hwnd);
  window_close(0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(ClassExists("WindowClass_0"));
  EXPECT_EQ(window_handle(0), nullptr);
  EXPECT_EQ(gadget_list_use(nullptr), nullptr);  // the destroyed list is no longer current
  Drain();
}

TEST(Windows, ScreenCentringShrinksTooLargeWindowsAndOwnerCentringStaysOnScreen) {
  auto big = reinterpret_cast<HWND>(window_open(1, 50, 50, 5000, 4000, "big", 1));
  ASSERT_NE(big, nullptr);
  RECT r;
  GetWindowRect(big, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));

  auto owner = reinterpret_cast<HWND>(window_open(2, 10, 10, 100, 80, "owner", 0x10000000));
  auto owned = reinterpret_cast<HWND>(window_open(3, 300, 300, 400, 300, "owned", 2, owner));
  ASSERT_NE(owned, nullptr);
  GetWindowRect(owned, &r);
  EXPECT_EQ(r.left, 0);  // centred on a smaller owner would be negative
  EXPECT_EQ(r.top, 0);
  EXPECT_FALSE(IsWindowVisible(owner));

  auto small = reinterpret_cast<HWND>(window_open(4, 0, 0, 200, 100, "centred", 1));
  GetWindowRect(small, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
  for (int n = 1; n <= 4; ++n) window_close(n);
  Drain();
}

TEST(Windows, ReopeningANumberDestroysTheOldWindowAndDynamicWindowsGetIds) {
  auto first = reinterpret_cast<HWND>(window_open(7, 0, 0, 100, 100, "first", 0));
  auto second = reinterpret_cast<HWND>(window_open(7, 0, 0, 120, 100, "second", 0));
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(window_handle(7), second);

  intptr_t id = window_open(DynamicNumber, 0, 0, 100, 100, "dynamic", 0);
  ASSERT_NE(id, 0);
  HWND dynamic = window_handle(id);
  ASSERT_NE(dynamic, nullptr);
  EXPECT_NE(reinterpret_cast<HWND>(id), dynamic);
  EXPECT_EQ(window_number_of(dynamic), id);
  window_close(id);
  EXPECT_FALSE(IsWindow(dynamic));
  EXPECT_EQ(window_handle(id), nullptr);
  window_close(7);
  window_close(7);  // nothing left to close
  Drain();
}

TEST(Windows, CloseRequestOnlyQueuesEvent16) {
  auto hwnd = reinterpret_cast<HWND>(window_open(0, 0, 0, 200, 100, "close me", 2));
  Drain();
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  std::vector<PolledEvent> events = Drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].code, EVENT_CLOSE_REQUESTED);
  EXPECT_EQ(event_window(), 0);
  EXPECT_TRUE(IsWindow(hwnd));
  window_close(0);
  Drain();
}

TEST(Windows, FailedCreationFreesClassAndNumber) {
  // A child style without a parent cannot be created.
  EXPECT_EQ(window_open(9, 0, 0, 100, 100, "orphan", int32_t(WS_CHILD)), 0);
  EXPECT_EQ(window_handle(9), nullptr);
  EXPECT_FALSE(ClassExists("WindowClass_9"));
}

TEST(Windows, SizeLimitsAndToolWindows) {
  auto tool = reinterpret_cast<HWND>(window_open(5, 0, 0, 150, 60, "tool", 4 | int32_t(WS_THICKFRAME)));
  ASSERT_NE(tool, nullptr);
  EXPECT_TRUE(GetWindowLongPtrA(tool, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, 5));
  record->maxWidth = 300;
  MINMAXINFO info{};
  info.ptMaxTrackSize = {9999, 9999};
  SendMessageA(tool, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 1);
  EXPECT_EQ(info.ptMaxTrackSize.x, 300);
  EXPECT_EQ(info.ptMaxTrackSize.y, 9999);
  EXPECT_EQ(SendMessageA(tool, WM_GETMINMAXINFO, 0, 0), 0);  // a stray one without its structure
  window_close(5);
  Drain();
}

TEST(Windows, OwnSizingLoopFollowsTheMouseWithinTheLimits) {
  BOOL before = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &before, 0);
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  auto hwnd = reinterpret_cast<HWND>(window_open(6, 100, 100, 200, 100, "sizable", int32_t(WS_OVERLAPPEDWINDOW)));
  ASSERT_NE(hwnd, nullptr);
  static_cast<WindowRecord*>(LookUpObject(g_windowList, 6))->maxWidth = 400;
  RECT start;
  GetWindowRect(hwnd, &start);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE | WMSZ_RIGHT, 0);
  EXPECT_EQ(GetCapture(), hwnd);
  POINT p{start.right - start.left + 50, 10};  // client coordinates, 50 pixels right of the edge
  POINT screen = p;
  ClientToScreen(hwnd, &screen);
  SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right, screen.x + 2);
  EXPECT_EQ(r.left, start.left);
  SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + 1000, p.y));
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 400);  // the record's maximum width
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // the loop is over
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 400);

  // The top-left corner: the pointer sits 2 pixels inside it, and the opposite edges stay
  // where they are when the minimum size stops the corner.
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, 6));
  record->minWidth = 150;
  record->minHeight = 90;
  RECT sized = r;
  auto moveTo = [hwnd](LONG x, LONG y) {
    POINT at{x, y};
    ScreenToClient(hwnd, &at);
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  };
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE | WMSZ_TOPLEFT, 0);
  moveTo(sized.left + 30, sized.top + 20);
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, sized.left + 28);
  EXPECT_EQ(r.top, sized.top + 18);
  EXPECT_EQ(r.right, sized.right);
  EXPECT_EQ(r.bottom, sized.bottom);
  moveTo(sized.right + 100, sized.bottom + 100);
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 90);
  EXPECT_EQ(r.right, sized.right);
  EXPECT_EQ(r.bottom, sized.bottom);
  SendMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  window_close(6);
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, before, nullptr, 0);
  Drain();
}

// Any program can post the size command: without a sizing border, or maximised or
// minimised, the loop never starts and the mouse moves nothing.
TEST(Windows, OwnSizingLoopOnlyForWindowsTheUserCanSize) {
  BOOL before = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &before, 0);
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  const struct {
    int32_t flags;
    const char* what;
  } cases[] = {{2, "no sizing border"},
               {int32_t(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE), "maximised"},
               {int32_t(WS_OVERLAPPEDWINDOW | WS_MINIMIZE), "minimised"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto hwnd = reinterpret_cast<HWND>(window_open(7, 50, 50, 200, 100, "fixed", c.flags));
    ASSERT_NE(hwnd, nullptr);
    Drain();
    SIZE size = WindowSize(hwnd);
    PostMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, 0);
    Drain();
    EXPECT_NE(GetCapture(), hwnd);
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 300));
    EXPECT_EQ(WindowSize(hwnd).cx, size.cx);
    EXPECT_EQ(WindowSize(hwnd).cy, size.cy);
    ReleaseCapture();
    window_close(7);
    Drain();
  }
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, before, nullptr, 0);
}

}  // namespace

VLMR_TOOLKIT_MAIN()
