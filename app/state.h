// The application's process-wide state: one record, zero-filled by the entry routine before
// anything else runs. The heap and module handle live in g_runtime; everything else the
// program keeps between passes of its main loop is here.
#pragma once
#include <cstdint>

#include "app/joystick_api.h"

// Calibration of one axis, in raw platform units.
struct AxisRange {
  int32_t centre;           // (min + max) / 2
  int32_t span;             // max - min - 2 * deadZone: the range the scaled value covers
  int32_t min;
  int32_t max;
  int32_t deadZone;         // half-width of the dead zone around the centre
  int32_t deadZonePercent;  // the percentage that deadZone was made from
};
static_assert(sizeof(AxisRange) == 24);

// The platform numbers at most 16 joysticks; the table never holds more.
constexpr int32_t kMaxControllers = 16;
// Room for a controller's product name and its terminator; a longer name is not shown.
constexpr int32_t kControllerNameSize = 128;

enum ControllerAxis : int32_t { kAxisX, kAxisY, kAxisZ, kAxisR, kAxisU, kAxisV, kAxisCount };

struct ControllerCaps {
  AxisRange axes[kAxisCount];  // X, Y, Z, R, U, V
  uint32_t caps;               // the platform's wCaps flags, kept as they came
};
static_assert(sizeof(ControllerCaps) == 148);

// The readings a controller showed at the last check, as the readers return them.
struct ControllerSnapshot {
  int32_t unused;
  int32_t x, y, z, r, u, v;
  int32_t buttons;
  int32_t pov;
};
static_assert(sizeof(ControllerSnapshot) == 36);

struct AppState {
  int32_t highestController;  // highest valid controller index, -1 without controllers
  int32_t controllerCount;
  int32_t selectedController;
  int32_t pictureImage;
  int32_t displayImage;
  int32_t scratchImage;
  int32_t axisValueX;
  int32_t axisValueY;
  int32_t axisValueZ;
  int32_t axisValueR;
  int32_t hatPosition;
  int32_t quitRequested;
  // Structured arrays with one element per controller (one zeroed element before enumeration).
  ControllerCaps* controllerCaps;
  JoyInfoEx* controllerPositions;
  ControllerSnapshot* controllerSnapshots;
  // 1 once the snapshots hold the readings of a check; 0 (as zero-filled, after enumeration
  // and after ForceControllerRefresh) makes the next check report every controller.
  int32_t snapshotsCurrent;
  // The platform's answer to the latest poll of each controller (0 = it answered).
  uint32_t pollResults[kMaxControllers];
  // Set when the system reported devices coming or going; the main loop enumerates again.
  int32_t devicesChanged;
  // One bit per identifier that answered its capability query: the controllers. The table
  // is indexed by identifier, so identifiers that never answered leave gaps in it.
  uint32_t presentControllers;
  // Each controller's product name as the system keeps it; empty when it keeps none.
  char controllerNames[kMaxControllers][kControllerNameSize];
};

extern AppState g_app;
