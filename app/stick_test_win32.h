// The Stick-Test window: both sticks of the controller chosen in the main window, raw and
// without dead zone, with their drift and their reach. F2 or the picture's context menu
// opens it; its close box, Escape or F2 close it.
#pragma once
#include <cstdint>

bool StickTestIsOpen();
// Opens the window, or brings it to the front when it is open already.
void StickTestOpen();
void StickTestClose();
// "Leeren": forgets trails and reaches.
void StickTestClear();
// Once per pass of the main loop, after the polls: follows the chosen controller and its
// readings; redraws only when they changed. Nothing while the window is closed.
void StickTestFollow();
// Handles an event that belongs to the Stick-Test (its close box, its button and shortcuts,
// the picture's context menu and its item); false for any other.
bool StickTestEvent(int32_t code);
