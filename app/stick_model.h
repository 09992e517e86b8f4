// The numbers of the Stick-Test: one stick as two raw axes of a controller, normalised with
// the ranges of its capability query (centre = (min + max) / 2, half-span = (max - min) / 2,
// so the edge of the range is 1), with no dead zone. A track of the stick keeps the furthest
// reach in each of 36 directions of 10 degrees and a trail of the positions of the last two
// seconds, from which the circularity follows. Portable: no window system.
#pragma once
#include <cstdint>

#include "app/state.h"

constexpr int32_t kStickSectors = 36;
constexpr int32_t kTrailCapacity = 256;
constexpr uint32_t kTrailMilliseconds = 2000;
// A direction counts as reached once the stick went past the dead zone's circle in it: the
// stick at rest, however it drifts, fills no direction.
constexpr double kReachedRadius = 0.25;

// One axis's calibration for the Stick-Test; usable is false for a range without room.
struct StickAxis {
  bool usable;
  double centre;
  double halfSpan;
};

StickAxis StickAxisOf(const AxisRange& range);
// The raw reading as a fraction of the half-span from the centre (-1 .. 1 within the range);
// 0 for an axis that is not usable.
double StickNormalised(const StickAxis& axis, uint32_t raw);

// The axes a stick is read from: the left stick on X and Y; the right one on U and R when
// the pad reports U but not V (the Xbox layout), otherwise on Z and R.
struct StickAxes {
  ControllerAxis x, y;
};
StickAxes LeftStickAxes();
StickAxes RightStickAxes(uint32_t caps);

// The direction of a position: 0 .. 35, counting 10 degrees each, anticlockwise on the
// screen from the right (the Y axis grows downwards); -1 at the centre.
int32_t StickSector(double x, double y);

struct StickSample {
  float x, y;
  uint32_t at;  // milliseconds
};

struct StickTrack {
  double reach[kStickSectors];  // furthest radius seen in each direction, 0 before any
  StickSample trail[kTrailCapacity];
  int32_t newest;  // index of the newest sample
  int32_t count;   // samples kept, at most kTrailCapacity
};

void StickClear(StickTrack& track);
// A new position of the stick at time now (milliseconds): into the trail and the reaches.
void StickAdd(StickTrack& track, double x, double y, uint32_t now);
// The samples of the trail no older than kTrailMilliseconds at time now, newest first:
// calls visit(sample) for each; returns how many.
template <typename Visit>
int32_t StickTrail(const StickTrack& track, uint32_t now, Visit visit) {
  int32_t shown = 0;
  for (int32_t i = 0; i < track.count; ++i) {
    const StickSample& s = track.trail[(track.newest - i + kTrailCapacity) % kTrailCapacity];
    if (now - s.at > kTrailMilliseconds) break;
    visit(s);
    ++shown;
  }
  return shown;
}
// The mean of |reach - 1| over the 36 directions, once every direction has been reached;
// -1 before.
double StickCircularity(const StickTrack& track);

// Percent of a fraction with one decimal and a German decimal comma: "+9,9 %", "-0,4 %",
// "0,0 %" (signed unless it rounds to zero), appended to the temporary buffer.
void AppendPercent(double fraction, bool signedValue);
