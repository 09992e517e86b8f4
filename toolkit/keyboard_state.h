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
};

extern KeyboardState g_keyboard;
