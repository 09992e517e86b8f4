// The scripted joystick interface behind the controller tests.
#include "tests/app/controller_fake.h"

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

uint32_t JoystickGetDevCaps(uint32_t id, JoyCaps* caps, uint32_t size) {
  ++g_fake.capsCalls;
  if (size != sizeof(JoyCaps) || id >= g_fake.pads.size() || !g_fake.pads[id].present)
    return kJoyErrParms;
  *caps = g_fake.pads[id].caps;
  return kJoyErrNoError;
}

uint32_t JoystickGetPosEx(uint32_t id, JoyInfoEx* info) {
  ++g_fake.posCalls;
  if (id >= g_fake.pads.size() || info->dwSize != sizeof(JoyInfoEx)) return kJoyErrParms;
  const FakePad& pad = g_fake.pads[id];
  if (pad.result != kJoyErrNoError) return pad.result;
  uint32_t size = info->dwSize, flags = info->dwFlags;
  *info = pad.reading;
  info->dwSize = size;
  info->dwFlags = flags;
  return kJoyErrNoError;
}
