// The keyboard reader and the joystick opener under Wine: the cooperative level, reads
// before and without the foreground whatever activations are forged, the snapshot kept until
// DirectInput signals a change, the any-key scan, the shared DirectInput object's users, and
// the run without DINPUT.DLL. Held keys are driven from outside by input_keyboard.sh.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/runtime/runtime_fixture.h"
#include "tests/wine_only.h"
#include "toolkit/dinput_shared.h"
#include "toolkit/joystick.h"
#include "toolkit/keyboard.h"
#include "toolkit/keyboard_state.h"
#include "toolkit/screen.h"

namespace {

bool DirectInputDisabled() { return std::getenv("VLMR_DINPUT_DISABLED") != nullptr; }

// The run without DINPUT.DLL skips the cases that need it.
#define REQUIRE_DIRECTINPUT() \
  if (DirectInputDisabled()) GTEST_SKIP() << "run without DINPUT.DLL"

using InputTest = RuntimeTest;

TEST_F(InputTest, NoKeyIsDownBeforeTheFirstSuccessfulRead) {
  REQUIRE_DIRECTINPUT();
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
  ASSERT_EQ(keyboard_init(), 1);
  EXPECT_NE(keyboard_init(), 0) << "a second init reports the keyboard ready";
  EXPECT_EQ(directinput_users(), 1) << "and does not count a second use";
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
  EXPECT_EQ(key_is_down(KEY_ANY), 0);
}

TEST_F(InputTest, TheAnyKeyScanStopsBeforeCode255) {
  REQUIRE_DIRECTINPUT();
  ASSERT_EQ(keyboard_init(), 1);
  // Stage a snapshot as a successful read leaves it; no keyboard sends code 255.
  g_keyboard.phase = kKeyboardReading;
  g_keyboard.snapshot[255] = 0x80;
  EXPECT_EQ(key_is_down(KEY_ANY), 0);
  EXPECT_EQ(key_is_down(255), 0x80);
  g_keyboard.snapshot[254] = 0x80;
  EXPECT_EQ(key_is_down(KEY_ANY), 1);
  g_keyboard.snapshot[KEY_ESCAPE] = 0x81;
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0x80);
  EXPECT_EQ(key_is_down(-2), 0);
  EXPECT_EQ(key_is_down(256), 0);
  g_keyboard.phase = kKeyboardCreated;
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0) << "a failed read hides the old snapshot";
}

TEST_F(InputTest, DirectInputIsReleasedWhenItsLastUserEnds) {
  REQUIRE_DIRECTINPUT();
  VLMR_WINE_ONLY("a machine without game controllers");
  ASSERT_EQ(GetModuleHandleA("dinput.dll"), nullptr);
  ASSERT_EQ(keyboard_init(), 1);
  EXPECT_EQ(joystick_open_all(), 0) << "Wine here has no game controllers";
  EXPECT_EQ(joystick_open_all(), 0);
  EXPECT_EQ(directinput_users(), 2);
  keyboard_end();
  EXPECT_EQ(directinput_users(), 1);
  EXPECT_NE(GetModuleHandleA("dinput.dll"), nullptr);
  joystick_end();
  EXPECT_EQ(directinput_users(), 0);
  EXPECT_EQ(GetModuleHandleA("dinput.dll"), nullptr);
  // Ended twice (the teardown runs after this) changes nothing.
  keyboard_end();
  joystick_end();
  EXPECT_EQ(directinput_users(), 0);
  // And a new start works from scratch.
  ASSERT_EQ(keyboard_init(), 1);
  EXPECT_EQ(directinput_users(), 1);
}

TEST_F(InputTest, WithoutDirectInputEverythingAnswersZeroAndEndsCleanly) {
  if (!DirectInputDisabled()) GTEST_SKIP() << "needs WINEDLLOVERRIDES=dinput=d";
  VLMR_WINE_ONLY("DINPUT.DLL switched off through WINEDLLOVERRIDES");
  ASSERT_EQ(LoadLibraryA("DINPUT.DLL"), nullptr) << "DINPUT.DLL was meant to be disabled";
  EXPECT_EQ(keyboard_init(), 0);
  EXPECT_EQ(keyboard_init(), 0);
  EXPECT_EQ(joystick_open_all(), 0);
  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
  EXPECT_EQ(key_is_down(KEY_ANY), 0);
  EXPECT_EQ(directinput_users(), 2);
  keyboard_end();
  joystick_end();
  EXPECT_EQ(directinput_users(), 0);
}

HWND OpenPlainWindow(const char* title, int x) {
  WNDCLASSA type{};
  type.lpfnWndProc = DefWindowProcA;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "InputTestWindow";
  RegisterClassA(&type);
  return CreateWindowExA(0, "InputTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 0, 200, 100, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Another program's window: a thread of its own, so that the window under test is not the
// foreground thread's while this one is in front. Ends when its window is closed.
struct OtherWindow {
  HWND window = nullptr;
  HANDLE thread = nullptr;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);

  OtherWindow() {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(ready, 10000);
  }
  ~OtherWindow() {
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(ready);
  }
  static DWORD WINAPI Run(void* self) {
    auto* other = static_cast<OtherWindow*>(self);
    other->window = OpenPlainWindow("other window", 300);
    SetEvent(other->ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (message.message == WM_APP) SetForegroundWindow(other->window);
      DispatchMessageA(&message);
      if (!IsWindow(other->window)) break;
    }
    return 0;
  }
};

// Asked of the window's own thread (WM_APP tells another thread's window to ask), and
// asked again until it holds: the system may still be settling an earlier activation.
bool BringToFront(HWND window) {
  bool ours = GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
  for (int i = 0; i < 300 && GetForegroundWindow() != window; ++i) {
    if (ours) SetForegroundWindow(window);
    else PostMessageA(window, WM_APP, 0, 0);
    Pump();
    Sleep(10);
  }
  Pump();
  return GetForegroundWindow() == window;
}

// What any program can send or post to a window, claiming that it was activated or not.
void ForgeActivations(HWND window, bool active) {
  for (int i = 0; i < 20; ++i) {
    SendMessageA(window, WM_ACTIVATE, active ? WA_CLICKACTIVE : WA_INACTIVE, 0);
    SendMessageA(window, WM_ACTIVATEAPP, active, 0);
    SendMessageA(window, WM_NCACTIVATE, active, 0);
    SendMessageA(window, active ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
    PostMessageA(window, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
    PostMessageA(window, active ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
  }
  Pump();
}

// Last of the cases: once a keyboard was acquired at the foreground level, Wine keeps
// DINPUT.DLL loaded for the rest of the process.
TEST_F(InputTest, TheKeyboardIsReadAtTheForegroundLevelOnlyWhileItsWindowIsInFront) {
  REQUIRE_DIRECTINPUT();
  // A test process on Windows may be refused the foreground.
  VLMR_WINE_ONLY("moving the foreground between windows of a test process");
  screen_library_init();
  HWND window = OpenPlainWindow("keyboard window", 0);
  OtherWindow otherWindow;
  HWND other = otherWindow.window;
  ASSERT_TRUE(window && other);
  screen_open_windowed(window, 0, 0, 200, 100, 1, 0, 0);  // the keyboard is read for the screen's window
  ASSERT_EQ(keyboard_init(), 1);
  ASSERT_TRUE(BringToFront(window)) << "the new windows' activations have settled";
  ASSERT_TRUE(BringToFront(other));

  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_EQ(g_keyboard.level, DWORD(0x16)) << "non-exclusive, foreground, no Windows logo key";
  EXPECT_FALSE(g_keyboard.acquired) << "the system gives the keyboard to a window in front only";
  ForgeActivations(window, true);
  EXPECT_EQ(keyboard_read_state(), 0) << "activations another program sends take nothing";
  EXPECT_FALSE(g_keyboard.acquired);

  ASSERT_TRUE(BringToFront(window));
  ASSERT_EQ(keyboard_read_state(), 1) << "in front: acquired and read";
  ASSERT_TRUE(g_keyboard.waiter) << "a thread waits for the keyboard's changes";
  Sleep(100);  // whatever acquiring signalled has reached the flag, and is taken here
  keyboard_read_state();
  // A snapshot no keyboard here gives stands while nothing signals a change...
  g_keyboard.snapshot[KEY_ESCAPE] = 0x80;
  EXPECT_EQ(keyboard_read_state(), 1);
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0x80);
  // ...and is read anew once DirectInput signals, or once told to look again.
  SetEvent(g_keyboard.changed);
  for (int i = 0; i < 1000 && !g_keyboard.signalled; ++i) Sleep(1);
  EXPECT_EQ(keyboard_read_state(), 1);
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
  g_keyboard.snapshot[KEY_ESCAPE] = 0x80;
  keyboard_look_again();
  EXPECT_EQ(keyboard_read_state(), 1);
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
  ForgeActivations(window, false);
  EXPECT_EQ(keyboard_read_state(), 1) << "a deactivation another program sends takes nothing away";

  ASSERT_TRUE(BringToFront(other));
  g_keyboard.snapshot[KEY_ESCAPE] = 0x80;
  EXPECT_EQ(keyboard_read_state(), 0) << "another window came to the front";
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
  ForgeActivations(window, true);
  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_FALSE(g_keyboard.acquired);
  ASSERT_TRUE(BringToFront(window));
  EXPECT_EQ(keyboard_read_state(), 1) << "back in front, read at once";
  keyboard_end();
  screen_close();
  DestroyWindow(window);
}

}  // namespace
