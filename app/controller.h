// The controller table: one record per controller the platform's joystick interface reports,
// built once by EnumerateControllers and refreshed by PollControllers. A controller index is
// the platform's joystick identifier; it is valid when 0 <= index <= g_app.highestController.
#pragma once
#include <cstdint>

#include "app/state.h"

// Type code of the application's record arrays.
constexpr int32_t kRecordArrayType = 7;

// Start-up: the three controller arrays with one zeroed element each, no valid controller.
void AllocateControllerArrays();
// Probes identifiers 0, 1, ... until one fails, sizes the arrays to the controllers found and
// fills their calibration. Returns the number found.
int32_t EnumerateControllers();
// -1: polls every controller and returns 0. A valid index: polls it and returns the
// platform's result. Anything else: -1 without asking the platform.
int32_t PollControllers(int32_t index);

// Readers of the position record as the last poll left it; 0 for an invalid index.
int32_t ControllerButton(int32_t index, int32_t button);  // the button's bit value
int32_t ControllerButtons(int32_t index);
int32_t ControllerPOV(int32_t index);

bool ControllerIndexValid(int32_t index);
