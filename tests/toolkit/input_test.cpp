// The keyboard reader and the joystick opener under Wine: reads before and without the
// foreground, the any-key scan, the shared DirectInput object's users, and the run without
// DINPUT.DLL. Focus and held keys are driven from outside by input_keyboard.sh.
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

TEST_F(InputTest, AReadFailsWhileTheScreensWindowIsNotInFront) {
  REQUIRE_DIRECTINPUT();
  screen_library_init();  // the hidden base window, never shown, is the known parent
  ASSERT_TRUE(screen_parent_window());
  ASSERT_EQ(keyboard_init(), 1);
  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_EQ(g_keyboard.phase, kKeyboardCreated) << "the next read acquires again";
  EXPECT_EQ(keyboard_read_state(), 0);
  EXPECT_EQ(key_is_down(KEY_ESCAPE), 0);
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
