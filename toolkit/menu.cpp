// Context menus. The system's menu loop runs until the menu closes; the choice comes back
// as a WM_COMMAND without control, which the window procedure turns into the menu event.
#include "toolkit/menu.h"

#include <windows.h>

#include "toolkit/window.h"

bool menu_popup(ObjectId window, const char* text, uint16_t command) {
  HWND owner = window_handle(window);
  if (!owner) return false;
  HMENU menu = CreatePopupMenu();
  if (!menu) return false;
  bool shown = false;
  POINT at{};
  if (AppendMenuA(menu, MF_STRING, command, text) && GetCursorPos(&at)) {
    // A menu whose owner is not in front stays open after a click elsewhere.
    SetForegroundWindow(owner);
    shown = TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
  }
  DestroyMenu(menu);
  return shown;
}
