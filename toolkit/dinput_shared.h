// The one DirectInput 7 object shared by the keyboard reader and the joystick opener, with
// a count of its users. Win32 only; DINPUT.DLL is loaded at run time.
#pragma once
#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
#include <dinput.h>

#include <cstdint>

// Adds a user and returns the shared object, creating it on first demand; null when
// DirectInput is missing. The user is counted even then, so every call pairs with a release.
IDirectInput7A* directinput_acquire();
// Drops one user; the last one releases the object and unloads DINPUT.DLL.
void directinput_release();
// Users currently counted.
int32_t directinput_users();
