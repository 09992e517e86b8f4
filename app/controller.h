// The controller table: one record per identifier up to the highest controller the
// platform's joystick interface reports, built by EnumerateControllers at start and grown by
// it when devices come, refreshed by PollControllers. A controller index is the platform's
// joystick identifier; it is valid when 0 <= index <= g_app.highestController and the
// identifier answered its capability query (identifiers before it may be empty).
// Controllers are only ever added: one that goes away keeps its record and its identifier.
#pragma once
#include <cstdint>

#include "app/state.h"

// Type code of the application's record arrays.
constexpr int32_t kRecordArrayType = 7;

// Start-up: the three controller arrays with one zeroed element each, no valid controller.
void AllocateControllerArrays();
// Asks every identifier below the platform's joyGetNumDevs (and kMaxControllers) that is
// not yet a controller for its capabilities, grows the arrays up to the highest one that
// answered, keeping the known records, and fills the new ones' calibration with every
// position at rest, and their product names. Returns the number of controllers.
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
// How many identifiers are controllers.
int32_t ControllerCount();
