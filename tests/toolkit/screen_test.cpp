// The windowed screen on plain Win32 windows under Wine: covering and following the client
// area, one subclass per parent, the closed and failed paths, the clear colour in the back
// buffer, and the GDI backdrop when there is no Direct3D device.
#include <string>

#include "runtime/utils.h"
#include "tests/toolkit/screen_fixture.h"
#include "tests/wine_only.h"

namespace {

RECT ChildRectInParent(HWND child, HWND parent) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK CountStatic(HWND window, LPARAM total) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, "Static") == 0) ++*reinterpret_cast<int*>(total);
  return TRUE;
}

BOOL CALLBACK CountStaticChildren(HWND window, LPARAM total) {
  EnumChildWindows(window, CountStatic, total);
  return TRUE;
}

// Every STATIC window of this thread, at any depth.
int CountStaticWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountStaticChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(ScreenTest, CoversTheClientAreaAndFollowsItsGrowth) {
  REQUIRE_DIRECT3D();
  window = OpenPlainWindow(620, 300);
  ASSERT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), 1);
  HWND child = screen_child_window();
  ASSERT_TRUE(child);
  RECT r = ChildRectInParent(child, window);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 620);
  EXPECT_EQ(r.bottom, 300);
  EXPECT_EQ(screen_parent_window(), window);

  RECT frame;
  GetWindowRect(window, &frame);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
               SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  RECT client;
  GetClientRect(window, &client);
  ASSERT_EQ(client.right, 720);
  r = ChildRectInParent(child, window);
  EXPECT_EQ(r.right - r.left, 720);
  EXPECT_EQ(r.bottom - r.top, 350);
  // The back buffer keeps its size; presenting stretches it, and the device stays usable.
  EXPECT_EQ(g_screen.parameters.BackBufferWidth, 620u);
  int32_t presents = g_screen.presents;
  EXPECT_EQ(screen_present(), 1);
  EXPECT_EQ(g_screen.usable, 1);
  EXPECT_EQ(g_screen.presents, presents + 1);
  EXPECT_EQ(g_screen.failedPresents, 0);
}

TEST_F(ScreenTest, OffsetsAndMarginsShapeTheStretchedChild) {
  REQUIRE_DIRECT3D();
  window = OpenPlainWindow(620, 300);
  ASSERT_EQ(screen_open_windowed(window, 10, 5, 100, 100, 1, 20, 30), 1);
  RECT r = ChildRectInParent(screen_child_window(), window);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 600);
  EXPECT_EQ(r.bottom, 270);
  // Without auto-stretch the child keeps the size it was given.
  ASSERT_EQ(screen_open_windowed(window, 10, 5, 100, 80, 0, 0, 0), 1);
  r = ChildRectInParent(screen_child_window(), window);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 80);
}

TEST_F(ScreenTest, ASecondScreenOnTheSameParentDoesNotSubclassItAgain) {
  REQUIRE_DIRECT3D();
  window = OpenPlainWindow(620, 300);
  ASSERT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), 1);
  HWND first = screen_child_window();
  LONG_PTR hooked = GetWindowLongPtrA(window, GWLP_WNDPROC);
  EXPECT_NE(hooked, reinterpret_cast<LONG_PTR>(CountingProc));
  EXPECT_EQ(GetPropA(window, "kv_dxsize"), reinterpret_cast<HANDLE>(1));

  ASSERT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), 1);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), hooked);
  EXPECT_EQ(CountStaticWindows(), 1);

  // The window's own procedure still sees each resize exactly once.
  int before = g_sizeMessages;
  SetWindowPos(window, nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(g_sizeMessages, before + 1);
  RECT client, r = ChildRectInParent(screen_child_window(), window);
  GetClientRect(window, &client);
  EXPECT_EQ(r.right, client.right);
}

TEST_F(ScreenTest, ClearBeforeOpenDoesNothingAndTheClearSwapsRedAndBlue) {
  REQUIRE_DIRECT3D();
  screen_clear(PackColour(10, 20, 30));
  EXPECT_EQ(screen_child_window(), nullptr);
  window = OpenPlainWindow(620, 300);
  ASSERT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), 1);
  EXPECT_EQ(BackBufferPixel(), 0u) << "a new screen starts black";
  screen_clear(PackColour(10, 20, 30));
  EXPECT_EQ(BackBufferPixel(), 0x0A141Eu);
  screen_clear(PackColour(155, 155, 155));
  EXPECT_EQ(BackBufferPixel(), 0x9B9B9Bu);
}

TEST_F(ScreenTest, ParentZeroReturnsZeroAndLeavesNoChild) {
  screen_library_init();
  int before = CountStaticWindows();
  EXPECT_EQ(screen_open_windowed(nullptr, 0, 0, 620, 300, 1, 0, 0), 0);
  EXPECT_EQ(CountStaticWindows(), before);
  EXPECT_EQ(screen_child_window(), nullptr);

  // It also closes the screen that was open.
  window = OpenPlainWindow(620, 300);
  screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0);
  EXPECT_EQ(CountStaticWindows(), before + 1);
  EXPECT_EQ(screen_open_windowed(nullptr, 0, 0, 620, 300, 1, 0, 0), 0);
  EXPECT_EQ(CountStaticWindows(), before);
  screen_clear(PackColour(1, 2, 3));
  EXPECT_EQ(screen_present(), 1);
}

TEST_F(ScreenTest, CloseRemovesTheChildButTheParentStaysKnown) {
  screen_library_init();
  window = OpenPlainWindow(620, 300);
  screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0);
  HWND child = screen_child_window();
  ASSERT_TRUE(child);
  screen_close();
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(screen_child_window(), nullptr);
  EXPECT_EQ(screen_parent_window(), window);
  EXPECT_EQ(GetPropA(window, "kv_dxsize"), reinterpret_cast<HANDLE>(1));
  screen_close();

  // A window destroyed under an open screen takes the screen with it, cleanly.
  screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0);
  DestroyWindow(window);
  window = nullptr;
  EXPECT_EQ(screen_child_window(), nullptr);
  EXPECT_EQ(screen_parent_window(), nullptr);
  EXPECT_EQ(g_screen.device, nullptr);
}

// Under Wine the device is made only when VLMR_DIRECT3D is "1".
TEST_F(ScreenTest, UnderWineTheScreenIsTheBackdropUnlessDirect3DIsAskedFor) {
  VLMR_WINE_ONLY("the GDI backdrop is chosen for Wine");
  if (Direct3DDisabled()) GTEST_SKIP() << "run without d3d9.dll";
  window = OpenPlainWindow(620, 300);
  for (const char* asked : {static_cast<const char*>(nullptr), "0", "10", "1"}) {
    SetEnvironmentVariableA("VLMR_DIRECT3D", asked);
    screen_library_end();
    ASSERT_EQ(screen_library_init(), 1);
    int32_t device = asked && asked == std::string("1") ? 1 : 0;
    EXPECT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), device) << (asked ? asked : "unset");
    EXPECT_EQ(g_screen.device != nullptr, device == 1);
    EXPECT_TRUE(screen_child_window());
  }
  SetEnvironmentVariableA("VLMR_DIRECT3D", nullptr);
}

// Without a device (no Direct3D at all here) the child still stands and GDI paints it in the
// last clear colour, so the window shows the same grey either way.
TEST_F(ScreenTest, WithoutADeviceTheChildIsAGdiBackdropInTheClearColour) {
  if (Direct3DDisabled()) {
    VLMR_WINE_ONLY("d3d9.dll switched off through WINEDLLOVERRIDES");
    ASSERT_EQ(LoadLibraryA("d3d9.dll"), nullptr) << "d3d9.dll was meant to be disabled";
    EXPECT_EQ(screen_library_init(), 0);
  }
  window = OpenPlainWindow(620, 300);
  EXPECT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), 0);
  HWND child = screen_child_window();
  ASSERT_TRUE(child);
  RECT r = ChildRectInParent(child, window);
  EXPECT_EQ(r.right, 620);
  EXPECT_EQ(r.bottom, 300);
  screen_clear(PackColour(155, 155, 155));
  UpdateWindow(child);
  HDC dc = GetDC(child);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(155, 155, 155));
  EXPECT_EQ(GetPixel(dc, 619, 299), RGB(155, 155, 155));
  ReleaseDC(child, dc);
  screen_close();
  EXPECT_FALSE(IsWindow(child));
}

}  // namespace
