// The controller table: enumeration, polling and the button and hat readers.
#include "app/controller.h"

#include "app/joystick_api.h"
#include "runtime/arrays.h"

namespace {

template <typename T>
T* DeclareRecords(T*& variable, int32_t count) {
  return static_cast<T*>(
      DeclareArray(sizeof(T), count, kRecordArrayType, nullptr, reinterpret_cast<void**>(&variable)));
}

void SetAxisRange(AxisRange& axis, uint32_t min, uint32_t max) {
  axis.min = int32_t(min);
  axis.max = int32_t(max);
  // Sum and difference wrap like the platform's 32-bit integers instead of overflowing.
  axis.centre = int32_t(uint32_t(axis.min) + uint32_t(axis.max)) / 2;
  axis.deadZonePercent = 0;
  axis.deadZone = 0;
  axis.span = int32_t(uint32_t(axis.max) - uint32_t(axis.min));
}

}  // namespace

bool ControllerIndexValid(int32_t index) { return index >= 0 && index <= g_app.highestController; }

void AllocateControllerArrays() {
  DeclareRecords(g_app.controllerCaps, 1);
  DeclareRecords(g_app.controllerPositions, 1);
  DeclareRecords(g_app.controllerSnapshots, 1);
  g_app.highestController = -1;
}

int32_t EnumerateControllers() {
  JoyCaps query{};
  int32_t count = 0;
  // An identifier that fails ends the probe and hides every identifier after it.
  while (JoystickGetDevCaps(uint32_t(count), &query, sizeof query) == kJoyErrNoError) ++count;
  g_app.highestController = count - 1;
  if (count == 0) return 0;

  DeclareRecords(g_app.controllerCaps, count);
  DeclareRecords(g_app.controllerPositions, count);
  DeclareRecords(g_app.controllerSnapshots, count);
  g_app.snapshotsCurrent = 0;
  if (!g_app.controllerCaps || !g_app.controllerPositions || !g_app.controllerSnapshots) {
    // Out of memory: a table the arrays cannot hold would be read out of bounds.
    g_app.highestController = -1;
    return 0;
  }

  for (int32_t c = 0; c < count; ++c) {
    // A failure here leaves the buffer as the previous query filled it.
    JoystickGetDevCaps(uint32_t(c), &query, sizeof query);
    AxisRange* axes = g_app.controllerCaps[c].axes;
    SetAxisRange(axes[kAxisX], query.wXmin, query.wXmax);
    SetAxisRange(axes[kAxisY], query.wYmin, query.wYmax);
    SetAxisRange(axes[kAxisZ], query.wZmin, query.wZmax);
    SetAxisRange(axes[kAxisR], query.wRmin, query.wRmax);
    SetAxisRange(axes[kAxisU], query.wUmin, query.wUmax);
    SetAxisRange(axes[kAxisV], query.wVmin, query.wVmax);
    g_app.controllerCaps[c].caps = query.wCaps;
    g_app.controllerPositions[c].dwSize = sizeof(JoyInfoEx);
    g_app.controllerPositions[c].dwFlags = kJoyReturnAll;
  }
  return count;
}

int32_t PollControllers(int32_t index) {
  if (index == -1) {
    for (int32_t c = 0; c <= g_app.highestController; ++c)
      JoystickGetPosEx(uint32_t(c), &g_app.controllerPositions[c]);
    return 0;
  }
  if (!ControllerIndexValid(index)) return -1;
  return int32_t(JoystickGetPosEx(uint32_t(index), &g_app.controllerPositions[index]));
}

int32_t ControllerButton(int32_t index, int32_t button) {
  if (!ControllerIndexValid(index) || button < 0 || button > 31) return 0;
  return int32_t(g_app.controllerPositions[index].dwButtons & (1u << button));
}

int32_t ControllerButtons(int32_t index) {
  return ControllerIndexValid(index) ? int32_t(g_app.controllerPositions[index].dwButtons) : 0;
}

int32_t ControllerPOV(int32_t index) {
  return ControllerIndexValid(index) ? int32_t(g_app.controllerPositions[index].dwPOV) : 0;
}
