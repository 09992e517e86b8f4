// The drop-down list of controllers and what it shows of them. Depends on the controller
// table, the axis dead zones, the string buffer and the gadget library.
// Limitations: a controller's name is read when it is first found and never again.
#include "app/controller_list_win32.h"

#include <bit>

#include "app/axes.h"
#include "app/controller.h"
#include "app/numbers.h"
#include "app/state.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"

namespace {

// One bit per identifier: those with an item, and those whose item says "(getrennt)".
struct ListState {
  uint32_t listed;
  uint32_t gone;
};
ListState g_list;

// Where the item of identifier id is (or goes): after the items of lower identifiers.
int32_t Position(int32_t id) { return std::popcount(g_list.listed & ((1u << id) - 1)); }

const char* ItemText(TempExpression& item, int32_t id, bool gone) {
  item.Text("Gamepad ").Number(id + 1);
  if (*g_app.controllerNames[id]) item.Text(" - ").Text(g_app.controllerNames[id]);
  if (gone) item.Text(" (getrennt)");
  return item.Finish();
}

// Items and 25 percent dead zones for the controllers that have no item yet.
void ListNewControllers() {
  for (int32_t id = 0; id <= g_app.highestController; ++id) {
    if (!ControllerIndexValid(id) || (g_list.listed >> id & 1u)) continue;
    TempExpression item;
    gadget_item_add(kControllerList, Position(id), ItemText(item, id, false));
    g_list.listed |= 1u << id;
    SetDeadZoneX(id, 25);
    SetDeadZoneY(id, 25);
    SetDeadZoneZ(id, 25);
    SetDeadZoneR(id, 25);
    SetDeadZoneU(id, 25);
    SetDeadZoneV(id, 25);
  }
  combo_gadget_fit_list(kControllerList);
}

}  // namespace

void FillControllerList() {
  ListNewControllers();
  if (g_app.controllerCount == 0) {
    gadget_item_remove(kControllerList, 0);
    gadget_item_add(kControllerList, 0, "Kein Gamepad erkannt.");
  }
  gadget_state_set(kControllerList, 0);
}

void TakeNewControllers() {
  g_app.devicesChanged = 0;
  const uint32_t before = g_list.listed;
  g_app.controllerCount = RescanControllers();
  if ((g_app.presentControllers & ~before) == 0) return;
  if (before == 0) gadget_item_remove(kControllerList, 0);
  const int32_t chosen = g_app.selectedController;
  ListNewControllers();
  // Items put in before the chosen one must not move the choice to another controller.
  bool stays = chosen >= 0 && chosen < kMaxControllers && (before >> chosen & 1u);
  int32_t position = stays ? Position(chosen) : 0;
  if (gadget_state_get(kControllerList) != position) gadget_state_set(kControllerList, position);
}

void ShowConnections() {
  for (int32_t id = 0; id <= g_app.highestController; ++id) {
    const uint32_t bit = 1u << id;
    if (!(g_list.listed & bit)) continue;
    bool now = !ControllerAnswering(id);
    if (now == ((g_list.gone & bit) != 0)) continue;
    g_list.gone ^= bit;
    TempExpression item;
    gadget_item_text_set(kControllerList, Position(id), ItemText(item, id, now));
    combo_gadget_fit_list(kControllerList);
  }
}

int32_t SelectedFromList() {
  int32_t start = g_temp.pos;
  gadget_text_get(kControllerList, start);
  ReplaceText(g_temp.text + start, "Gamepad ", "", 0, 1, start);
  int64_t ordinal = ParseInteger(g_temp.text + start);
  SetTempPos(start);
  return int32_t(ordinal - 1);
}
