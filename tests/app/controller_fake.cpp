// The scripted joystick interface behind the controller tests.
#include "tests/app/controller_fake.h"

#include <cstddef>
#include <cstring>

FakeJoysticks g_fake;

FakePad MakePad(uint32_t min, uint32_t max) {
  FakePad pad;
  for (uint32_t* range : {&pad.caps.wXmin, &pad.caps.wYmin, &pad.caps.wZmin, &pad.caps.wRmin,
                          &pad.caps.wUmin, &pad.caps.wVmin}) {
    range[0] = min;
    range[1] = max;
  }
  uint32_t mid = uint32_t((uint64_t(min) + max) / 2);
  JoyInfoEx& r = pad.reading;
  r.dwXpos = r.dwYpos = r.dwZpos = r.dwRpos = r.dwUpos = r.dwVpos = mid;
  r.dwPOV = kJoyPovCentred;
  return pad;
}

namespace {

const FakePad* PadFor(uint32_t id) {
  static const FakePad resting = MakePad();
  if (id < g_fake.pads.size()) return &g_fake.pads[id];
  return g_fake.everyId ? &resting : nullptr;
}

}  // namespace

uint32_t JoystickGetDevCaps(uint32_t id, JoyCaps* caps, uint32_t size) {
  ++g_fake.capsCalls;
  const FakePad* pad = PadFor(id);
  if (size != sizeof(JoyCaps) || !pad || !pad->present) return kJoyErrParms;
  *caps = pad->caps;
  return kJoyErrNoError;
}

uint32_t JoystickGetPosEx(uint32_t id, JoyInfoEx* info) {
  ++g_fake.posCalls;
  const FakePad* found = PadFor(id);
  if (!found || info->dwSize != sizeof(JoyInfoEx)) return kJoyErrParms;
  const FakePad& pad = *found;
  if (pad.result != kJoyErrNoError) {
    std::memset(&info->dwXpos, 0xA5, sizeof(JoyInfoEx) - offsetof(JoyInfoEx, dwXpos));
    return pad.result;
  }
  uint32_t size = info->dwSize, flags = info->dwFlags;
  *info = pad.reading;
  info->dwSize = size;
  info->dwFlags = flags;
  return kJoyErrNoError;
}

uint32_t JoystickGetNumDevs() { return g_fake.numDevs; }

void JoystickConfigChanged() { ++g_fake.configChanges; }

bool JoystickProductName(uint32_t id, const JoyCaps&, char* name, uint32_t size) {
  ++g_fake.nameCalls;
  const FakePad* pad = PadFor(id);
  *name = '\0';
  if (!pad || !*pad->name || std::strlen(pad->name) >= size) return false;
  std::strcpy(name, pad->name);
  return true;
}
