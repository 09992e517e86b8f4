// Joystick seam, Windows binding: the controller model's platform calls go straight to
// winmm's joyGetDevCapsA, joyGetPosEx, joyGetNumDevs and joyConfigChanged.
// Dependencies: winmm.lib. Limitations: none beyond winmm's own (identifiers are probed, not
// listed; controllers plugged in later keep their old identifiers).
#include <windows.h>
#include <mmsystem.h>

#include <cstddef>

#include "app/joystick_api.h"

// Exported by winmm since its first joystick interface, but missing from MinGW's mmsystem.h.
extern "C" __declspec(dllimport) MMRESULT WINAPI joyConfigChanged(DWORD flags);

// Our records must be the platform's, field for field.
static_assert(sizeof(JoyCaps) == sizeof(JOYCAPSA) && sizeof(JOYCAPSA) == 404);
static_assert(sizeof(JoyInfoEx) == sizeof(JOYINFOEX) && sizeof(JOYINFOEX) == 52);
static_assert(offsetof(JoyCaps, wXmin) == offsetof(JOYCAPSA, wXmin));
static_assert(offsetof(JoyCaps, wRmin) == offsetof(JOYCAPSA, wRmin));
static_assert(offsetof(JoyCaps, wVmax) == offsetof(JOYCAPSA, wVmax));
static_assert(offsetof(JoyCaps, wCaps) == offsetof(JOYCAPSA, wCaps));
static_assert(offsetof(JoyCaps, szOEMVxD) == offsetof(JOYCAPSA, szOEMVxD));
static_assert(offsetof(JoyInfoEx, dwButtons) == offsetof(JOYINFOEX, dwButtons));
static_assert(offsetof(JoyInfoEx, dwPOV) == offsetof(JOYINFOEX, dwPOV));
static_assert(kJoyErrNoError == JOYERR_NOERROR && kJoyErrParms == JOYERR_PARMS &&
              kJoyErrUnplugged == JOYERR_UNPLUGGED);
static_assert(kJoyReturnAll == JOY_RETURNALL && kJoyPovCentred == JOY_POVCENTERED);

uint32_t JoystickGetDevCaps(uint32_t id, JoyCaps* caps, uint32_t size) {
  return joyGetDevCapsA(id, reinterpret_cast<JOYCAPSA*>(caps), size);
}

uint32_t JoystickGetPosEx(uint32_t id, JoyInfoEx* info) {
  return joyGetPosEx(id, reinterpret_cast<JOYINFOEX*>(info));
}

uint32_t JoystickGetNumDevs() { return joyGetNumDevs(); }

void JoystickConfigChanged() { joyConfigChanged(0); }
