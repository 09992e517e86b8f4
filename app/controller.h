// The controller table: one record per controller the platform's joystick interface reports,
// built by EnumerateControllers at start and grown by it when devices come, refreshed by
// PollControllers. A controller index is the platform's joystick identifier; it is valid
// when 0 <= index <= g_app.highestController. Controllers are only ever appended.
#pragma once
#include <cstdint>

#include "app/state.h"

// Type code of the application's record arrays.
constexpr int32_t kRecordArrayType = 7;

// Start-up: the three controller arrays with one zeroed element each, no valid controller.
void AllocateControllerArrays();
// Probes the identifiers after the known ones in turn until one fails (and no further than
// the platform's joyGetNumDevs or kMaxControllers), grows the arrays to hold the ones that
// answered, keeping the known records, and fills their calibration with every position at
// rest. Returns the number of controllers in the table.
int32_t EnumerateControllers();
// After the system reported devices coming or going: the platform reads its controller list
// again, then EnumerateControllers appends the new ones. Returns the table's new size.
int32_t RescanControllers();
// -1: polls every controller and returns 0. A valid index: polls it and returns the
// platform's result. Anything else: -1 without asking the platform. A failed poll leaves
// the record as the last successful one (or the enumeration) left it.
int32_t PollControllers(int32_t index);
// True when the latest poll of a valid index succeeded (also before its first poll).
bool ControllerAnswering(int32_t index);

// Readers of the position record as the last poll left it; 0 for an invalid index.
int32_t ControllerButton(int32_t index, int32_t button);  // the button's bit value
int32_t ControllerButtons(int32_t index);
int32_t ControllerPOV(int32_t index);

bool ControllerIndexValid(int32_t index);
