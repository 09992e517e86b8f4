// Where every control of the gamepad picture sits: the patch rectangles the program copies
// from the lit half (x + 300) onto the resting half. The artwork draws each control inside
// its rectangle.
#pragma once

constexpr int kPictureWidth = 300;
constexpr int kPictureHeight = 186;

struct Patch {
  const char* name;
  int x, y, w, h;
};

// Index order: buttons 1-12, hat arms, hat markers, axis value areas.
enum Control {
  kButton1 = 0,
  kArmUp = 12, kArmRight, kArmDown, kArmLeft,
  kMarker0 = 16,  // markers 0, 4500, ..., 31500 in order
  kAxisX = 24, kAxisY, kAxisZ, kAxisR,
  kControlCount = 28
};

constexpr Patch kPatches[kControlCount] = {
    {"button 1", 230, 40, 20, 20},   {"button 2", 255, 65, 20, 20},
    {"button 3", 230, 90, 20, 20},   {"button 4", 205, 65, 20, 20},
    {"button 5", 40, 0, 20, 20},     {"button 6", 215, 0, 20, 20},
    {"button 7", 60, 0, 20, 20},     {"button 8", 235, 0, 20, 20},
    {"button 9", 110, 60, 20, 20},   {"button 10", 165, 60, 20, 20},
    {"button 11", 93, 111, 20, 20},  {"button 12", 183, 111, 20, 20},
    {"hat up", 50, 50, 20, 20},      {"hat right", 63, 63, 20, 20},
    {"hat down", 50, 76, 20, 20},    {"hat left", 35, 63, 20, 20},
    {"marker 0", 49, 29, 20, 20},    {"marker 4500", 73, 38, 20, 20},
    {"marker 9000", 83, 61, 20, 20}, {"marker 13500", 73, 87, 20, 20},
    {"marker 18000", 48, 93, 20, 20}, {"marker 22500", 26, 87, 20, 20},
    {"marker 27000", 16, 62, 20, 20}, {"marker 31500", 24, 37, 20, 20},
    {"axis X", 47, 113, 40, 20},     {"axis Y", 66, 142, 40, 20},
    {"axis Z", 140, 113, 40, 20},    {"axis R", 159, 142, 40, 20},
};
