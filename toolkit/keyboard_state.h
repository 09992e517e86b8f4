// The keyboard reader's one state record (keyboard.cpp); the tests look into it to stage
// snapshots no real keyboard can produce.
#pragma once
#include "toolkit/dinput_shared.h"

enum KeyboardPhase : int32_t { kKeyboardNoDevice = 0, kKeyboardCreated = 1, kKeyboardReading = 2 };
constexpr int32_t kKeyCount = 256;

struct KeyboardState {
  int32_t initialised;
  int32_t phase;
  IDirectInputDevice7A* device;
  DIOBJECTDATAFORMAT* objectFormats;
  DIDATAFORMAT format;
  unsigned char snapshot[kKeyCount];
  // The window the keyboard is read for (the screen's parent at the last acquisition), the
  // event DirectInput sets on every change, and the thread that waits for it and raises
  // signalled, so that a read needs no wait of its own.
  HWND window;
  DWORD level;  // the cooperative level the device last accepted
  HANDLE changed;
  HANDLE stop;
  HANDLE waiter;
  volatile LONG signalled;
  bool acquired;
  bool lookAgain;  // keyboard_look_again since the last snapshot
};

extern KeyboardState g_keyboard;
