// Context menus: a pop-up menu at the mouse, owned by a toolkit window; the item chosen
// arrives as the menu event (EVENT_MENU) of its command, like a shortcut.
// Win32 only. Depends on the window library.
#pragma once
#include <cstdint>

#include "runtime/objects.h"

// Shows a menu of one item with text and command at the mouse, until the user chooses it or
// clicks elsewhere. False when the number holds no window or the menu could not be made.
bool menu_popup(ObjectId window, const char* text, uint16_t command);
