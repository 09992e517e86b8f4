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
constexpr ObjectId kValueFont = 112;

constexpr int32_t kPictureWidth = 300;
constexpr int32_t kPictureHeight = 186;
