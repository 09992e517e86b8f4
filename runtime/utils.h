// Small runtime utilities: colour packing, rounding, millisecond sleeps and the message box.
#pragma once
#include <cstdint>

int32_t PackColour(int32_t red, int32_t green, int32_t blue);
// mode 0 (and any unknown mode) rounds down, 1 up, 2 to nearest with halves away from zero.
float RoundFloat(float value, int32_t mode);

// Win32 only (utils_win32.cpp).
void SleepMilliseconds(int32_t milliseconds);
int32_t ShowMessageBox(const char* title, const char* text, uint32_t flags = 0);
