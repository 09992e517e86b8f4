// Stick-Test numbers: normalised axes, directions, reach, trail, circularity and their texts.
#include "app/stick_model.h"

#include <cmath>
#include <numbers>

#include "runtime/strings.h"

StickAxis StickAxisOf(const AxisRange& range) {
  const double min = range.min, max = range.max;
  if (max - min <= 0) return {false, 0, 0};
  return {true, (min + max) / 2, (max - min) / 2};
}

double StickNormalised(const StickAxis& axis, uint32_t raw) {
  return axis.usable ? (double(int32_t(raw)) - axis.centre) / axis.halfSpan : 0;
}

StickAxes LeftStickAxes() { return {kAxisX, kAxisY}; }

StickAxes RightStickAxes(uint32_t caps) {
  const bool xboxLayout = (caps & kJoyCapsHasU) && !(caps & kJoyCapsHasV);
  return {xboxLayout ? kAxisU : kAxisZ, kAxisR};
}

int32_t StickSector(double x, double y) {
  if (x == 0 && y == 0) return -1;
  double degrees = std::atan2(-y, x) * 180.0 / std::numbers::pi;
  if (degrees < 0) degrees += 360;
  int32_t sector = int32_t(degrees / 10);
  return sector < kStickSectors ? sector : 0;  // 359.99... rounds up to 360
}

void StickClear(StickTrack& track) { track = StickTrack{}; }

void StickAdd(StickTrack& track, double x, double y, uint32_t now) {
  track.newest = (track.newest + 1) % kTrailCapacity;
  track.trail[track.newest] = {float(x), float(y), now};
  if (track.count < kTrailCapacity) ++track.count;
  int32_t sector = StickSector(x, y);
  if (sector < 0) return;
  double radius = std::hypot(x, y);
  if (radius > track.reach[sector]) track.reach[sector] = radius;
}

double StickCircularity(const StickTrack& track) {
  double sum = 0;
  for (double reach : track.reach) {
    if (reach < kReachedRadius) return -1;
    sum += std::fabs(reach - 1.0);
  }
  return sum / kStickSectors;
}

void AppendPercent(double fraction, bool signedValue) {
  const int64_t tenths = std::llround(fraction * 1000);
  if (signedValue && tenths != 0) AppendString(tenths > 0 ? "+" : "-");
  const int64_t magnitude = tenths < 0 ? -tenths : tenths;
  FormatInteger(magnitude / 10, g_temp.pos);
  AppendString(",");
  FormatInteger(magnitude % 10, g_temp.pos);
  AppendString(" %");
}
