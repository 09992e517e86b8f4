// Every fixed object number the program uses, each library with its own numbering: its
// window, gadgets, images and font; and the size of the picture it shows (the resting half
// of the sheet). The program's code names these, never the bare numbers.
#pragma once
#include <cstdint>

#include "runtime/objects.h"

constexpr ObjectId kMainWindow = 0;

// Images: the picture sheet as loaded, the picture shown and drawn on, and the scratch image
// that holds one patch at a time.
constexpr ObjectId kSheetImage = 100;
constexpr ObjectId kDisplayImage = 101;
constexpr ObjectId kScratchImage = 0;

// Gadgets: the name and value fields of axis 0..3 (X, Y, Z, R) are 0..7, the lines of
// buttons 0..11 are 12..23; the rest follow. 8..11 and 24..32 are not used.
constexpr ObjectId AxisNameField(int32_t axis) { return 2 * axis; }
constexpr ObjectId AxisValueField(int32_t axis) { return 2 * axis + 1; }
constexpr ObjectId ButtonField(int32_t k) { return 12 + k; }
constexpr ObjectId kHatField = 33;
constexpr ObjectId kPictureGadget = 34;
constexpr ObjectId kControllerList = 35;
constexpr ObjectId kQuitButton = 36;
constexpr ObjectId kInfoList = 37;
constexpr ObjectId kAxisUField = 38;
constexpr ObjectId kAxisVField = 39;
constexpr ObjectId kHighButtonsField = 40;
constexpr ObjectId kValueFont = 112;

constexpr int32_t kPictureWidth = 300;
constexpr int32_t kPictureHeight = 186;
