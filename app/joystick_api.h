// The one seam between the controller model and the platform's multimedia joystick
// interface. The records below have the platform's own layouts (JOYCAPSA, JOYINFOEX), so the
// Windows binding (joystick_api_win32.cpp) passes them straight through; host tests bind the
// functions to a scripted fake instead.
#pragma once
#include <cstdint>

constexpr uint32_t kJoyErrNoError = 0;      // JOYERR_NOERROR
constexpr uint32_t kJoyErrParms = 165;      // JOYERR_PARMS
constexpr uint32_t kJoyErrUnplugged = 167;  // JOYERR_UNPLUGGED
constexpr uint32_t kJoyReturnAll = 0xFF;    // JOY_RETURNALL: all axes, hat and buttons
constexpr uint32_t kJoyPovCentred = 65535;  // JOY_POVCENTERED
constexpr uint32_t kJoyCapsHasU = 0x04;     // JOYCAPS_HASU
constexpr uint32_t kJoyCapsHasV = 0x08;     // JOYCAPS_HASV

// Capabilities of one controller, laid out like JOYCAPSA (404 bytes).
struct JoyCaps {
  uint16_t wMid;
  uint16_t wPid;
  char szPname[32];
  uint32_t wXmin, wXmax;
  uint32_t wYmin, wYmax;
  uint32_t wZmin, wZmax;
  uint32_t wNumButtons;
  uint32_t wPeriodMin, wPeriodMax;
  uint32_t wRmin, wRmax;
  uint32_t wUmin, wUmax;
  uint32_t wVmin, wVmax;
  uint32_t wCaps;
  uint32_t wMaxAxes;
  uint32_t wNumAxes;
  uint32_t wMaxButtons;
  char szRegKey[32];
  char szOEMVxD[260];
};
static_assert(sizeof(JoyCaps) == 404);

// Position record of one controller, laid out like JOYINFOEX (52 bytes).
struct JoyInfoEx {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwXpos, dwYpos, dwZpos, dwRpos, dwUpos, dwVpos;
  uint32_t dwButtons;
  uint32_t dwButtonNumber;
  uint32_t dwPOV;
  uint32_t dwReserved1;
  uint32_t dwReserved2;
};
static_assert(sizeof(JoyInfoEx) == 52);

// joyGetDevCapsA: fills caps (size bytes of it) for controller id; kJoyErrNoError on success.
uint32_t JoystickGetDevCaps(uint32_t id, JoyCaps* caps, uint32_t size);
// joyGetPosEx: fills the record as its dwFlags ask; kJoyErrNoError or the platform's error.
uint32_t JoystickGetPosEx(uint32_t id, JoyInfoEx* info);
// joyGetNumDevs: how many identifiers the platform supports (not how many are attached).
uint32_t JoystickGetNumDevs();
// joyConfigChanged: devices came or went; the platform reads its controller list again.
void JoystickConfigChanged();
// The product name the system keeps for controller id, whose capabilities are caps, in the
// ANSI code page and NUL-terminated within size bytes. False, with name empty, when the
// system keeps none or what it keeps is unfit to show.
bool JoystickProductName(uint32_t id, const JoyCaps& caps, char* name, uint32_t size);
