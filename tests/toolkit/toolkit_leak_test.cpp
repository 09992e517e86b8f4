// Nothing leaks: a window with every gadget kind, colours, items and a picture, opened and
// closed 1,000 times, leaves the toolkit's GDI counts, the thread's windows, the window
// classes and the object lists as they were.
#include <cstring>

#include "graphics/image.h"
#include "tests/toolkit/toolkit_fixture.h"
#include "toolkit/font.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/gdi_count.h"

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(hwnd, CountChild, count);
  return TRUE;
}

// Every window of this thread, children included: the USER objects the test can see.
int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

void OneCycle(int i) {
  auto hwnd = reinterpret_cast<HWND>(window_open(0, 0, 0, 620, 300, "Vellomir V1.0", 2));
  ASSERT_NE(hwnd, nullptr);
  edit_gadget_create(0, 55, 1, 80, 20, "X-Achse");
  edit_gadget_create(1, 140, 1, 80, 20, nullptr);
  gadget_colour_set(1, 2, 0x00FFFF);
  gadget_colour_set(1, 1, 0x000000);
  image_create(101, 300, 186, i % 2 ? 32 : 24);
  image_gadget_create(34, 311, 1, 300, 186, image_handle(101), 512);
  image_free(101);
  image_create(101, 300, 186, 24);
  gadget_state_set(34, reinterpret_cast<intptr_t>(image_handle(101)));
  image_free(101);
  combo_gadget_create(35, 311, 204, 200, 22);
  gadget_item_add(35, -1, "Gamepad 1");
  gadget_state_set(35, 0);
  combo_gadget_create(38, 311, 204, 200, 22, COMBO_IMAGES);
  image_create(102, 16, 16, 24);
  gadget_item_add(38, -1, "with image", image_handle(102));
  image_free(102);
  button_gadget_create(36, 515, 205, 98, 22, "Beenden");
  list_gadget_create(37, 311, 234, 300, 60);
  gadget_item_add(37, 0, "Vellomir");
  gadget_colour_set(37, 2, 0x00FFFF);
  font_load(112, "Courier new", 7);
  if (i % 3 == 0) edit_gadget_create(0, 55, 1, 80, 20, "re-created");
  event_poll();
  window_close(0);
  font_free(112);
  Drain();
}

TEST(Leaks, ThousandWindowsWithEveryKindLeaveNothingBehind) {
  Drain();
  GdiCounts before = g_gdiCounts;
  int windowsBefore = ThreadWindows();
  for (int i = 0; i < 1000; ++i) {
    OneCycle(i);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(std::memcmp(&before, &g_gdiCounts, sizeof before), 0)
      << "brushes " << g_gdiCounts.brushes - before.brushes << ", fonts " << g_gdiCounts.fonts - before.fonts
      << ", bitmaps " << g_gdiCounts.bitmaps - before.bitmaps << ", image lists "
      << g_gdiCounts.imageLists - before.imageLists;
  EXPECT_EQ(ThreadWindows(), windowsBefore);
  WNDCLASSA wc;
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "WindowClass_0", &wc));
  ObjectId id;
  ResetObjectCursor(g_gadgetList);
  EXPECT_EQ(NextObject(g_gadgetList, &id), nullptr);
  ResetObjectCursor(g_windowList);
  EXPECT_EQ(NextObject(g_windowList, &id), nullptr);
}

TEST(Leaks, TeardownClosesWhatTheProgramLeftOpen) {
  auto hwnd = reinterpret_cast<HWND>(window_open(0, 0, 0, 620, 300, "left open", 2));
  auto edit = reinterpret_cast<HWND>(edit_gadget_create(0, 1, 1, 50, 20, "x"));
  auto font = reinterpret_cast<HFONT>(font_load(112, "Courier new", 7));
  EndRuntime(LibraryOrder());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(GetObjectType(font), 0u);
  StartRuntime(LibraryOrder());
}

}  // namespace

VLMR_TOOLKIT_MAIN()
