// The keyboard reader and the joystick opener under Wine: reads before and without the
// foreground, the snapshot kept until DirectInput signals a change, the any-key scan, the
// shared DirectInput object's users, and the run without DINPUT.DLL. Real focus changes and
// held keys are driven from outside by input_keyboard.sh.
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

TEST_F(InputTest, TheSnapshotStandsUntilTheKeyboardSignalsAndReadsFollowTheWindowsActivation) {
  REQUIRE_DIRECTINPUT();
  screen_library_init();  // the hidden base window, never shown, is the known parent
  HWND window = screen_parent_window();
  ASSERT_TRUE(window);
  LONG_PTR ownProcedure = GetWindowLongPtrA(window, GWLP_WNDPROC);
  ASSERT_EQ(keyboard_init(), 1);
  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_EQ(g_keyboard.phase, kKeyboardCreated);
  EXPECT_FALSE(g_keyboard.acquired) << "behind other windows the keyboard is not taken, pass after pass";
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);

  // Any program can send an activation: one the system does not back takes nothing.
  SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_FALSE(g_keyboard.acquired) << "an activation while another window is in front";
  // In front for real: the system sends the activation, and the reader sees it before the
  // window does. (A test process on Windows may be refused the foreground.)
  if (!UnderWine()) {
    keyboard_end();
    GTEST_SKIP() << "needs Wine: bringing a window of a test process to the front";
  }
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  for (int i = 0; i < 300 && GetForegroundWindow() != window; ++i) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  ASSERT_EQ(GetForegroundWindow(), window);
  ASSERT_EQ(keyboard_read_state(), 1) << "in front: acquired and read";
  ASSERT_TRUE(g_keyboard.waiter) << "a thread waits for the keyboard's changes";
  Sleep(100);  // whatever acquiring signalled has reached the flag, and is taken here
  InterlockedExchange(&g_keyboard.signalled, 0);
  // A snapshot no keyboard here gives stands while DirectInput signals no change...
  g_keyboard.snapshot[KEY_ESCAPE] = 0x80;
  EXPECT_EQ(keyboard_read_state(), 1);
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0x80);
  // ...and is read anew once it does.
  SetEvent(g_keyboard.changed);
  for (int i = 0; i < 1000 && !g_keyboard.signalled; ++i) Sleep(1);
  EXPECT_EQ(keyboard_read_state(), 1);
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);

  g_keyboard.snapshot[KEY_ESCAPE] = 0x80;
  SendMessageA(window, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(keyboard_read_state(), 0) << "another window came to the front";
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
  EXPECT_FALSE(g_keyboard.acquired);
  SendMessageA(window, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  EXPECT_EQ(keyboard_read_state(), 1) << "back in front, read at once";
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);

  keyboard_end();
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), ownProcedure) << "the window has its own procedure back";
  ShowWindow(window, SW_HIDE);
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

}  // namespace
