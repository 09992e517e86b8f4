// The event pump under the real user32: gadget events and the current object, duplicate
// suppression, window state codes, and Tab navigation through the accelerators.
#include <algorithm>

#include "runtime/strings.h"
#include "tests/toolkit/toolkit_fixture.h"

namespace {

using Events = ToolkitTest;

std::vector<int32_t> Codes(const std::vector<PolledEvent>& events) {
  std::vector<int32_t> codes;
  for (const PolledEvent& e : events) codes.push_back(e.code);
  return codes;
}

// True when a is directly followed by b somewhere in codes.
bool FollowedBy(const std::vector<int32_t>& codes, int32_t a, int32_t b) {
  for (size_t i = 0; i + 1 < codes.size(); ++i)
    if (codes[i] == a && codes[i + 1] == b) return true;
  return false;
}

TEST_F(Events, ButtonClickIsGadgetEventAndGadgetStaysAfterEmptyPolls) {
  auto button = reinterpret_cast<HWND>(button_gadget_create(36, 515, 205, 98, 22, "Beenden"));
  ASSERT_NE(button, nullptr);
  Drain();
  PostMessageA(button, BM_CLICK, 0, 0);
  int32_t code = 0;
  for (int i = 0; i < 50 && code != EVENT_GADGET; ++i) code = event_poll();
  EXPECT_EQ(code, EVENT_GADGET);
  EXPECT_EQ(event_gadget(), 36);
  EXPECT_EQ(event_type(), GADGET_LEFT_CLICK);
  Drain();
  EXPECT_EQ(event_poll(), 0);
  EXPECT_EQ(event_gadget(), 36);
}

TEST_F(Events, SyntheticMouseClickOnButton) {
  auto button = reinterpret_cast<HWND>(button_gadget_create(36, 10, 10, 98, 22, "Beenden"));
  Drain();
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(HasGadgetEvent(Drain(), 36, BN_CLICKED));
}

TEST_F(Events, IdenticalMovesCollapseButDifferentEventsBetweenDoNot) {
  Drain();
  MoveWindow(main_, 10, 10, 300, 200, FALSE);
  Drain();
  SetWindowPos(main_, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(main_, nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  std::vector<int32_t> codes = Codes(Drain());
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EVENT_WINDOW_MOVED), 1);

  event_post(EVENT_WINDOW_MOVED, 0, 0, 0);
  event_post(EVENT_TIMER, 1, 0, -1);
  event_post(EVENT_WINDOW_MOVED, 0, 0, 0);
  codes = Codes(Drain());
  EXPECT_EQ(codes, (std::vector<int32_t>{EVENT_WINDOW_MOVED, EVENT_TIMER, EVENT_WINDOW_MOVED}));
}

TEST_F(Events, MaximiseMinimiseRestoreCodes) {
  ShowWindow(main_, SW_MAXIMIZE);
  std::vector<int32_t> codes = Codes(Drain());
  EXPECT_TRUE(FollowedBy(codes, EVENT_MAXIMISED, EVENT_WINDOW_RESIZED));
  ShowWindow(main_, SW_RESTORE);
  codes = Codes(Drain());
  EXPECT_TRUE(FollowedBy(codes, EVENT_RESTORED, EVENT_WINDOW_RESIZED));

  ShowWindow(main_, SW_MINIMIZE);
  codes = Codes(Drain());
  EXPECT_NE(std::find(codes.begin(), codes.end(), EVENT_MINIMISED), codes.end());
  EXPECT_EQ(std::find(codes.begin(), codes.end(), EVENT_WINDOW_RESIZED), codes.end());

  ShowWindow(main_, SW_RESTORE);
  codes = Codes(Drain());
  EXPECT_TRUE(FollowedBy(codes, EVENT_RESTORED, EVENT_WINDOW_RESIZED));

  // A plain resize afterwards is no restore.
  SetWindowPos(main_, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
  codes = Codes(Drain());
  EXPECT_EQ(std::find(codes.begin(), codes.end(), EVENT_RESTORED), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), EVENT_WINDOW_RESIZED), codes.end());
}

TEST_F(Events, ProgramWrittenEditTextBecomesCurrentObjectWithoutEvent) {
  auto button = reinterpret_cast<HWND>(button_gadget_create(36, 10, 10, 98, 22, "Beenden"));
  edit_gadget_create(3, 10, 40, 100, 20, "start");
  Drain();
  PostMessageA(button, BM_CLICK, 0, 0);
  Drain();
  ASSERT_EQ(event_gadget(), 36);

  gadget_text_set(3, "written");
  EXPECT_EQ(event_gadget(), 36);
  PostMessageA(main_, WM_USER + 7, 0, 0);
  std::vector<int32_t> codes = Codes(Drain());
  EXPECT_EQ(std::find(codes.begin(), codes.end(), EVENT_GADGET), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), int32_t(WM_USER + 7)), codes.end());
  EXPECT_EQ(event_gadget(), 3);

  int32_t start = g_temp.pos;
  gadget_text_get(3, start);
  EXPECT_STREQ(g_temp.text + start, "written");
  EXPECT_EQ(g_temp.pos, start + 7);
  SetTempPos(start);
}

TEST_F(Events, TabAndShiftTabWrapAroundTheTabStops) {
  auto first = reinterpret_cast<HWND>(edit_gadget_create(1, 10, 10, 100, 20, "one"));
  auto middle = reinterpret_cast<HWND>(edit_gadget_create(2, 10, 40, 100, 20, "two"));
  auto last = reinterpret_cast<HWND>(button_gadget_create(3, 10, 70, 100, 22, "three"));
  static_cast<void>(middle);
  SetActiveWindow(main_);
  SetFocus(last);
  Drain();
  ASSERT_EQ(GetActiveWindow(), main_);
  ASSERT_EQ(GetFocus(), last);

  // Tab on the last stop goes through the window's accelerators to the first.
  PostMessageA(last, WM_KEYDOWN, VK_TAB, 0);
  Drain();
  EXPECT_EQ(GetFocus(), first);

  // Shift+Tab on the first goes to the last.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
  Drain();
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(GetFocus(), last);

  focus_step(true);
  EXPECT_EQ(GetFocus(), middle);
  EnableWindow(first, FALSE);
  focus_step(false);
  focus_step(false);
  EXPECT_EQ(GetFocus(), middle);  // the disabled field is no stop
}

TEST_F(Events, FocusChangesOfEditFieldsAreGadgetEvents) {
  auto one = reinterpret_cast<HWND>(edit_gadget_create(1, 10, 10, 100, 20, "one"));
  auto two = reinterpret_cast<HWND>(edit_gadget_create(2, 10, 40, 100, 20, "two"));
  SetActiveWindow(main_);
  SetFocus(one);
  Drain();
  SetFocus(two);
  std::vector<PolledEvent> events = Drain();
  EXPECT_TRUE(HasGadgetEvent(events, 1, GADGET_FOCUS_LOST));
  EXPECT_TRUE(HasGadgetEvent(events, 2, GADGET_FOCUS_GAINED));
}

TEST_F(Events, QueuedEventsComeBeforeMessagesAndMenuCommands) {
  event_post(EVENT_TIMER, 5, 0, -1);
  PostMessageA(main_, WM_COMMAND, MAKEWPARAM(123, 0), 0);
  EXPECT_EQ(event_poll(), EVENT_TIMER);
  EXPECT_EQ(event_gadget(), 5);
  EXPECT_EQ(event_poll(), EVENT_MENU);
  EXPECT_EQ(event_gadget(), 123);
  EXPECT_EQ(event_type(), -1);
}

// Any program can send or post WM_NOTIFY with any lParam: only a readable header sent
// within this thread is looked at. A posted one never reaches a window, nor does a posted
// message numbered like a toolkit event, which would come out of the pump as that event,
// nor a posted close command for a child window, which would destroy it.
TEST_F(Events, ForeignNotificationsEventNumbersAndCloseCommandsAreNotFollowed) {
  EXPECT_EQ(SendMessageA(main_, WM_NOTIFY, 0, 0), 0);
  EXPECT_EQ(SendMessageA(main_, WM_NOTIFY, 0, 1), 0);
  EXPECT_EQ(SendMessageA(main_, WM_CTLCOLORSTATIC, 0, 0), DefWindowProcA(main_, WM_CTLCOLORSTATIC, 0, 0));
  NMHDR header{main_, 0, 0};
  PostMessageA(main_, WM_NOTIFY, 0, 1);
  PostMessageA(main_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  PostMessageA(main_, UINT(EVENT_GADGET), 36, 0);
  PostMessageA(main_, UINT(EVENT_TIMER), 36, 0);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, main_, nullptr, nullptr, nullptr);
  PostMessageA(child, WM_CLOSE, 0, 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(event_poll(), WM_NULL);
  EXPECT_TRUE(IsWindow(child));
}

// The drop messages free the block they carry: only one the pump handed out and still
// records is taken, never a live block of ours named by a forged message.
TEST_F(Events, DropsTakeOnlyBlocksThePumpHandedOut) {
  DropBlock* drop = event_drop_new(64);
  ASSERT_NE(drop, nullptr);
  PostMessageA(main_, MESSAGE_DROP_GADGET, 77, reinterpret_cast<LPARAM>(drop));
  EXPECT_EQ(event_poll(), EVENT_DROP_GADGET);
  EXPECT_EQ(event_gadget(), 77);
  EXPECT_EQ(g_events->drop, drop);
  EXPECT_EQ(event_poll(), 0);
  EXPECT_EQ(g_events->drop, nullptr);

  auto* live = static_cast<DropBlock*>(ObjectAlloc(sizeof(DropBlock)));
  live->buffer = ObjectAlloc(16);
  const LPARAM forged[] = {reinterpret_cast<LPARAM>(drop), reinterpret_cast<LPARAM>(live), 1};
  for (LPARAM block : forged) {
    PostMessageA(main_, MESSAGE_DROP_GADGET, 78, block);
    SendMessageA(main_, MESSAGE_DROP_GADGET, 78, block);
    PostMessageA(main_, MESSAGE_DROP_WINDOW, 0, block);
  }
  for (int i = 0; i < 6; ++i) EXPECT_EQ(event_poll(), WM_NULL);
  EXPECT_NE(event_gadget(), 78);
  EXPECT_EQ(g_events->drop, nullptr);
  auto heap = static_cast<HANDLE>(g_runtime.objectHeap);
  EXPECT_TRUE(HeapValidate(heap, 0, live) && HeapValidate(heap, 0, live->buffer));
  ObjectFree(live->buffer);
  ObjectFree(live);
}

}  // namespace

VLMR_TOOLKIT_MAIN()
