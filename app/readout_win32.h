// The live readout: the value fields and the marked picture, rewritten from the selected
// controller on every refresh of the main loop.
#pragma once
#include <cstdint>

// One refresh: the four axes read and shown with their patches, button lines 1-6, the
// button patches, lines 7-12, the hat line and its patches, the U and V axes and buttons
// 13-32, then the hand-over.
void RefreshReadout();

// The steps of a refresh that set field texts, for measuring them one by one.
void ShowAxisValues();                             // axes read into the state and their value fields
void ShowButtonLines(int32_t first, int32_t end);  // the lines of buttons first .. end - 1
void ShowHatLine();                                // the hat field; the hat read again for its patches
void ShowExtraLines();                             // U and V, and the buttons held past the twelfth
