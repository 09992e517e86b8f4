// The drop-down list of controllers: one item per controller, in the order of their
// identifiers, "Gamepad " and the identifier + 1 (which the main loop reads back as the
// choice), then " - " and the product name where the system keeps one, then " (getrennt)"
// while the controller does not answer. Without controllers its one item is "Kein Gamepad
// erkannt.".
#pragma once
#include <cstdint>

// At start: the items of the enumerated controllers (with their dead zones), the first one
// chosen.
void FillControllerList();
// After the system reported devices coming or going: controllers that answer now join the
// list at their places; the choice stays on the controller it was on (the first one is
// chosen when there was none).
void TakeNewControllers();
// Marks the items of controllers whose polls fail, and unmarks them when they answer again.
void ShowConnections();
// The identifier the chosen item names, -1 for "Kein Gamepad erkannt.".
int32_t SelectedFromList();
