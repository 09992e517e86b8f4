// Axis scaling, dead zones and the change detector over the controller table.
#include "app/axes.h"

#include "app/controller.h"
#include "runtime/utils.h"

namespace {

constexpr float kOutputOffset = 0.0f;
constexpr float kOutputScale = 200.0f;
constexpr float kOutputLimit = 100.0f;

// Differences wrap like 32-bit machine integers instead of overflowing.
int32_t Sub32(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }
int32_t Add32(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }

uint32_t RawPosition(const JoyInfoEx& info, ControllerAxis axis) {
  switch (axis) {
    case kAxisX: return info.dwXpos;
    case kAxisY: return info.dwYpos;
    case kAxisZ: return info.dwZpos;
    case kAxisR: return info.dwRpos;
    case kAxisU: return info.dwUpos;
    default: return info.dwVpos;
  }
}

int32_t ScaledAxis(int32_t index, ControllerAxis axis) {
  if (!ControllerIndexValid(index)) return 0;
  const AxisRange& range = g_app.controllerCaps[index].axes[axis];
  // A range without room (min = max, min > max, or one beyond the 32-bit signed numbers, or
  // a dead zone that swallows it) has nothing to scale over.
  if (range.span <= 0) return 0;
  int32_t d = Sub32(int32_t(RawPosition(g_app.controllerPositions[index], axis)), range.centre);
  int32_t beyond;
  if (Sub32(d, range.deadZone) > 0) {
    beyond = Sub32(d, range.deadZone);
  } else if (Add32(d, range.deadZone) < 0) {
    beyond = Add32(d, range.deadZone);
  } else {
    return 0;
  }
  float value = (float(beyond) + kOutputOffset) * kOutputScale / float(range.span);
  // Readings beyond the calibrated range (a driver that reports past its own limits, or a
  // dead zone of 100 percent) show as full deflection: the readout and picture end there.
  if (value > kOutputLimit) value = kOutputLimit;
  if (value < -kOutputLimit) value = -kOutputLimit;
  return int32_t(RoundFloat(value, 0));
}

int32_t SetDeadZone(int32_t index, ControllerAxis axis, int32_t percent) {
  if (!ControllerIndexValid(index) || percent < 0 || percent > 100) return 0;
  AxisRange& range = g_app.controllerCaps[index].axes[axis];
  range.deadZonePercent = percent;
  range.deadZone = int32_t(uint32_t(range.centre) * uint32_t(percent)) / 100;
  range.span = Sub32(Sub32(range.max, range.deadZone), Add32(range.min, range.deadZone));
  return 0;
}

ControllerSnapshot Readings(int32_t index) {
  ControllerSnapshot now{};
  now.x = ControllerAxisX(index);
  now.y = ControllerAxisY(index);
  now.z = ControllerAxisZ(index);
  now.r = ControllerAxisR(index);
  now.u = ControllerAxisU(index);
  now.v = ControllerAxisV(index);
  now.buttons = ControllerButtons(index);
  now.pov = ControllerPOV(index);
  return now;
}

bool SameReadings(const ControllerSnapshot& a, const ControllerSnapshot& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z && a.r == b.r && a.u == b.u && a.v == b.v &&
         a.buttons == b.buttons && a.pov == b.pov;
}

void StoreSnapshot(ControllerSnapshot& snapshot, const ControllerSnapshot& now) {
  int32_t unused = snapshot.unused;
  snapshot = now;
  snapshot.unused = unused;
}

}  // namespace

int32_t ControllerAxisX(int32_t index) { return ScaledAxis(index, kAxisX); }
int32_t ControllerAxisY(int32_t index) { return ScaledAxis(index, kAxisY); }
int32_t ControllerAxisZ(int32_t index) { return ScaledAxis(index, kAxisZ); }
int32_t ControllerAxisR(int32_t index) { return ScaledAxis(index, kAxisR); }
int32_t ControllerAxisU(int32_t index) { return ScaledAxis(index, kAxisU); }
int32_t ControllerAxisV(int32_t index) { return ScaledAxis(index, kAxisV); }

int32_t SetDeadZoneX(int32_t index, int32_t percent) { return SetDeadZone(index, kAxisX, percent); }
int32_t SetDeadZoneY(int32_t index, int32_t percent) { return SetDeadZone(index, kAxisY, percent); }
int32_t SetDeadZoneZ(int32_t index, int32_t percent) { return SetDeadZone(index, kAxisZ, percent); }
int32_t SetDeadZoneR(int32_t index, int32_t percent) { return SetDeadZone(index, kAxisR, percent); }
int32_t SetDeadZoneU(int32_t index, int32_t percent) { return SetDeadZone(index, kAxisU, percent); }
int32_t SetDeadZoneV(int32_t index, int32_t percent) { return SetDeadZone(index, kAxisV, percent); }

int32_t CheckControllerEvent() {
  PollControllers(-1);
  bool found = false;
  // Every controller's snapshot follows its readings, also past the one found, so that the
  // next check does not report a change it has already seen.
  for (int32_t c = 0; c <= g_app.highestController; ++c) {
    if (!ControllerIndexValid(c)) continue;
    ControllerSnapshot now = Readings(c);
    if (!found) found = !g_app.snapshotsCurrent || !SameReadings(g_app.controllerSnapshots[c], now);
    StoreSnapshot(g_app.controllerSnapshots[c], now);
  }
  g_app.snapshotsCurrent = 1;
  return found ? 1 : 0;
}

void ForceControllerRefresh() { g_app.snapshotsCurrent = 0; }
