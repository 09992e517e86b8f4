// ShowMessageBox under the real user32: the box disables exactly the thread's enabled,
// visible windows other than the foreground one, and gives back exactly those.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/library_order.h"
#include "runtime/utils.h"

namespace {

struct Seen {
  bool boxFound = false;
  bool enabled[3] = {};
};

HWND g_windows[3];
Seen g_seen;

void CALLBACK InspectAndDismiss(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowA("#32770", "Box title");
  if (!box) return;
  KillTimer(nullptr, timer);
  g_seen.boxFound = true;
  for (int i = 0; i < 3; ++i) g_seen.enabled[i] = IsWindowEnabled(g_windows[i]);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

HWND MakeWindow(const char* title) {
  HWND w = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  return w;
}

TEST(MessageBoxes, DisablesOnlyWhatWasEnabledAndRestoresIt) {
  StartRuntime(LibraryOrder());
  g_windows[0] = MakeWindow("enabled");
  g_windows[1] = MakeWindow("already disabled");
  g_windows[2] = MakeWindow("foreground");
  EnableWindow(g_windows[1], FALSE);
  SetForegroundWindow(g_windows[2]);
  HWND foreground = GetForegroundWindow();

  SetTimer(nullptr, 0, 50, InspectAndDismiss);
  EXPECT_EQ(ShowMessageBox("Box title", "Box text"), IDOK);

  ASSERT_TRUE(g_seen.boxFound);
  EXPECT_FALSE(g_seen.enabled[0] && g_windows[0] != foreground);
  EXPECT_FALSE(g_seen.enabled[1]);
  // The foreground window becomes the box's owner, which the modal box itself disables
  // while it is open; afterwards it must be enabled again like the others.
  EXPECT_TRUE(IsWindowEnabled(g_windows[0]));
  EXPECT_FALSE(IsWindowEnabled(g_windows[1]));  // was never ours to give back
  EXPECT_TRUE(IsWindowEnabled(g_windows[2]));

  // A second box with nothing else to disable still works and changes nothing.
  for (HWND w : g_windows) DestroyWindow(w);
  g_windows[0] = g_windows[1] = g_windows[2] = nullptr;
  SetTimer(nullptr, 0, 50, InspectAndDismiss);
  EXPECT_EQ(ShowMessageBox("Box title", "Box text", MB_OKCANCEL), IDOK);
  EndRuntime(LibraryOrder());
  EndRuntimeHeap();
}

}  // namespace
