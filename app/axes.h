// Axis scaling with dead zones, and the change detector that gates the readout refresh.
#pragma once
#include <cstdint>

// Scaled axis readings, -100..+100 around the axis centre (clamped), from the position
// record as the last poll left it; 0 for an invalid index or an axis whose span is 0 or
// less.
int32_t ControllerAxisX(int32_t index);
int32_t ControllerAxisY(int32_t index);
int32_t ControllerAxisZ(int32_t index);
int32_t ControllerAxisR(int32_t index);
int32_t ControllerAxisU(int32_t index);
int32_t ControllerAxisV(int32_t index);

// Dead zone of percent 0..100 of the axis centre; anything else changes nothing. Always 0.
int32_t SetDeadZoneX(int32_t index, int32_t percent);
int32_t SetDeadZoneY(int32_t index, int32_t percent);
int32_t SetDeadZoneZ(int32_t index, int32_t percent);
int32_t SetDeadZoneR(int32_t index, int32_t percent);
int32_t SetDeadZoneU(int32_t index, int32_t percent);
int32_t SetDeadZoneV(int32_t index, int32_t percent);

// Polls every controller; 1 when one of them reads differently from its snapshot, else 0.
// Afterwards every snapshot holds its controller's latest readings, so a reading is reported
// once, on the check that first sees it.
int32_t CheckControllerEvent();
// Makes the next CheckControllerEvent report a change whenever there is a controller: for
// the first pass, and after the user chose another controller.
void ForceControllerRefresh();
