// A scripted joystick interface for the controller tests: identifiers, their ranges and
// readings, and a count of every platform call.
#pragma once
#include <cstdint>
#include <vector>

#include "app/joystick_api.h"

struct FakePad {
  bool present = true;    // the capability query succeeds
  uint32_t result = 0;    // what a position query answers; a failure scribbles on the record
  JoyCaps caps{};
  JoyInfoEx reading{};    // copied into the caller's record when result is 0
  const char* name = "";  // the product name the system keeps; empty for none
};

struct FakeJoysticks {
  std::vector<FakePad> pads;  // by identifier; identifiers past the end fail
  bool everyId = false;       // identifiers past the end answer too, as resting controllers
  uint32_t numDevs = 16;      // what joyGetNumDevs reports
  int capsCalls = 0;
  int posCalls = 0;
  int configChanges = 0;
  int nameCalls = 0;
};

extern FakeJoysticks g_fake;

// A present controller with all six axes on min..max, centred, hat centred, no buttons.
FakePad MakePad(uint32_t min = 0, uint32_t max = 65535);
