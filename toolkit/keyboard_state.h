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
  // Set up by the first read: the window the keyboard is read for, its procedure before
  // ours (which watches its activation), the event DirectInput sets on every change, and
  // the thread that waits for it and raises signalled (so a read needs no wait of its own).
  HWND window;
  WNDPROC windowProc;
  HANDLE changed;
  HANDLE stop;
  HANDLE waiter;
  volatile LONG signalled;
  bool inFront;   // the window is the active one, as its last WM_ACTIVATE said
  bool acquired;
};

extern KeyboardState g_keyboard;
