// The fixed numbers the program gives its window, gadgets and font, and the size of the
// picture it shows (the resting half of the sheet).
#pragma once
#include <cstdint>

#include "runtime/objects.h"

constexpr ObjectId kMainWindow = 0;
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
