// Every fixed object number the program uses, each library with its own numbering: its
// windows, gadgets, images and font, and the commands of its shortcuts and menu item; and
// the size of the picture it shows (the resting half of the sheet). The program names
// these, never the bare numbers.
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

// The Stick-Test: its window, gadgets and plot images, and the commands of its menu item and
// shortcuts.
constexpr ObjectId kStickTestWindow = 1;
constexpr ObjectId kStickLeftTitle = 41;
constexpr ObjectId kStickLeftPlot = 42;
constexpr ObjectId kStickLeftRaw = 43;
constexpr ObjectId kStickLeftOffset = 44;
constexpr ObjectId kStickLeftRound = 45;
constexpr ObjectId kStickRightTitle = 46;
constexpr ObjectId kStickRightPlot = 47;
constexpr ObjectId kStickRightRaw = 48;
constexpr ObjectId kStickRightOffset = 49;
constexpr ObjectId kStickRightRound = 50;
constexpr ObjectId kStickClearButton = 51;
constexpr ObjectId kStickLeftImage = 102;
constexpr ObjectId kStickRightImage = 103;
constexpr uint16_t kCommandStickTest = 1;       // the menu item, and F2 in the Stick-Test
constexpr uint16_t kCommandStickTestClose = 2;  // Escape in the Stick-Test
constexpr ObjectId kValueFont = 112;

constexpr int32_t kPictureWidth = 300;
constexpr int32_t kPictureHeight = 186;
