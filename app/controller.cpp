// The controller table: enumeration (at start and when devices come), polling, and the
// button and hat readers. The table is indexed by the platform's identifier; identifiers
// that never answered are gaps that nothing polls or reads.
#include "app/controller.h"

#include <bit>
#include <cstring>

#include "app/joystick_api.h"
#include "runtime/arrays.h"

namespace {

template <typename T>
T* DeclareRecords(T*& variable, int32_t count) {
  return static_cast<T*>(
      DeclareArray(sizeof(T), count, kRecordArrayType, nullptr, reinterpret_cast<void**>(&variable)));
}

// Makes grown (declared through a temporary variable) the array of variable, with the first
// known records copied over, and frees the old array.
template <typename T>
void Adopt(T*& variable, T* grown, int32_t known) {
  if (known > 0) std::memcpy(grown, variable, sizeof(T) * size_t(known));
  ReleaseArray(variable);
  variable = grown;
  ArrayHeaderOf(grown)->owner = reinterpret_cast<void**>(&variable);
}

// The three arrays with count records each, the first known ones kept. This runs between
// passes of the main loop, never while it holds a record. Without memory for all three
// nothing changes.
bool GrowTable(int32_t known, int32_t count) {
  ControllerCaps* caps = nullptr;
  JoyInfoEx* positions = nullptr;
  ControllerSnapshot* snapshots = nullptr;
  DeclareRecords(caps, count);
  DeclareRecords(positions, count);
  DeclareRecords(snapshots, count);
  if (!caps || !positions || !snapshots) {
    ReleaseArray(caps);
    ReleaseArray(positions);
    ReleaseArray(snapshots);
    return false;
  }
  Adopt(g_app.controllerCaps, caps, known);
  Adopt(g_app.controllerPositions, positions, known);
  Adopt(g_app.controllerSnapshots, snapshots, known);
  return true;
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

// A new record reads as a controller at rest until its first poll answers: a controller
// that never answers then shows the resting readout rather than full deflection.
void SetAtRest(JoyInfoEx& position, const ControllerCaps& caps) {
  uint32_t* raw[kAxisCount] = {&position.dwXpos, &position.dwYpos, &position.dwZpos,
                               &position.dwRpos, &position.dwUpos, &position.dwVpos};
  for (int32_t a = 0; a < kAxisCount; ++a) *raw[a] = uint32_t(caps.axes[a].centre);
  position.dwButtons = 0;
  position.dwPOV = kJoyPovCentred;
  position.dwSize = sizeof(JoyInfoEx);
  position.dwFlags = kJoyReturnAll;
}

// Identifiers the probe may try: what the platform supports, and never more than the table.
int32_t ProbeLimit() {
  uint32_t supported = JoystickGetNumDevs();
  return supported < uint32_t(kMaxControllers) ? int32_t(supported) : kMaxControllers;
}

// Whatever the platform leaves in the record when a poll fails, only an answer replaces
// the readings.
uint32_t Poll(int32_t c) {
  JoyInfoEx reading = g_app.controllerPositions[c];
  uint32_t result = JoystickGetPosEx(uint32_t(c), &reading);
  if (result == kJoyErrNoError) g_app.controllerPositions[c] = reading;
  g_app.pollResults[c] = result;
  return result;
}

}  // namespace

bool ControllerIndexValid(int32_t index) {
  return index >= 0 && index <= g_app.highestController && (g_app.presentControllers >> index & 1u);
}

int32_t ControllerCount() { return std::popcount(g_app.presentControllers); }

void AllocateControllerArrays() {
  DeclareRecords(g_app.controllerCaps, 1);
  DeclareRecords(g_app.controllerPositions, 1);
  DeclareRecords(g_app.controllerSnapshots, 1);
  g_app.highestController = -1;
}

int32_t EnumerateControllers() {
  // Every identifier the platform supports is asked, whatever identifiers before it are
  // empty: after pads come and go, the ones in use can sit anywhere. Known controllers keep
  // their records and are not asked again; empty identifiers are asked only here.
  const int32_t limit = ProbeLimit();
  JoyCaps found[kMaxControllers];
  uint32_t fresh = 0;
  int32_t top = g_app.highestController;
  for (int32_t id = 0; id < limit; ++id) {
    if (ControllerIndexValid(id)) continue;
    found[id] = JoyCaps{};
    if (JoystickGetDevCaps(uint32_t(id), &found[id], sizeof found[id]) != kJoyErrNoError) continue;
    fresh |= 1u << id;
    if (id > top) top = id;
  }
  if (!fresh || (top > g_app.highestController && !GrowTable(g_app.highestController + 1, top + 1)))
    return ControllerCount();

  for (int32_t id = 0; id <= top; ++id) {
    if (!(fresh & (1u << id))) continue;
    const JoyCaps& query = found[id];
    ControllerCaps& caps = g_app.controllerCaps[id];
    SetAxisRange(caps.axes[kAxisX], query.wXmin, query.wXmax);
    SetAxisRange(caps.axes[kAxisY], query.wYmin, query.wYmax);
    SetAxisRange(caps.axes[kAxisZ], query.wZmin, query.wZmax);
    SetAxisRange(caps.axes[kAxisR], query.wRmin, query.wRmax);
    SetAxisRange(caps.axes[kAxisU], query.wUmin, query.wUmax);
    SetAxisRange(caps.axes[kAxisV], query.wVmin, query.wVmax);
    caps.caps = query.wCaps;
    SetAtRest(g_app.controllerPositions[id], caps);
    g_app.pollResults[id] = kJoyErrNoError;
    JoystickProductName(uint32_t(id), query, g_app.controllerNames[id], kControllerNameSize);
  }
  g_app.presentControllers |= fresh;
  g_app.highestController = top;
  g_app.snapshotsCurrent = 0;
  return ControllerCount();
}

int32_t RescanControllers() {
  JoystickConfigChanged();
  return EnumerateControllers();
}

int32_t PollControllers(int32_t index) {
  if (index == -1) {
    for (int32_t c = 0; c <= g_app.highestController; ++c)
      if (ControllerIndexValid(c)) Poll(c);
    return 0;
  }
  if (!ControllerIndexValid(index)) return -1;
  return int32_t(Poll(index));
}

bool ControllerAnswering(int32_t index) {
  return ControllerIndexValid(index) && g_app.pollResults[index] == kJoyErrNoError;
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
