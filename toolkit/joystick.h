// DirectInput game controllers: opens every attached controller with a fixed axis range.
// Win32 only; DINPUT.DLL is loaded at run time. The program reads its controllers through
// the multimedia joystick interface; this layer only opens them.
#pragma once
#include <cstdint>

// Opens every attached controller as joystick 0, 1, ... (X and Y in -1000..1000) and returns
// how many opened; 0 when DirectInput is missing or the enumeration fails. A later call
// closes the controllers of the previous one first.
int32_t joystick_open_all();
void joystick_end();
