// Keyboard focus navigation: which accelerator table the pump translates Tab with, and
// the step to the next or previous tab stop of the active window.
// Depends on user32 and the window library. Composite controls (an editable-less
// ComboBoxEx32, an IP address field) count as one stop.
#include <windows.h>

#include <richedit.h>

#include <cstring>

#include "toolkit/events.h"
#include "toolkit/window.h"

namespace {

bool ClassIs(HWND hwnd, const char* name, bool prefixOnly = false) {
  char className[51] = {};
  GetClassNameA(hwnd, className, sizeof className);
  return prefixOnly ? std::strncmp(className, name, std::strlen(name)) == 0 : std::strcmp(className, name) == 0;
}

bool Down(int key) { return GetKeyState(key) < 0; }

// One walk over the tab stops of root in EnumChildWindows order.
struct TabWalk {
  HWND current;
  HWND first, last;
  HWND beforeCurrent;  // the stop just before current
  HWND afterCurrent;   // the stop just after current
  bool currentSeen;
  bool currentIsStop;
};

BOOL CALLBACK VisitStop(HWND w, LPARAM data) {
  auto* walk = reinterpret_cast<TabWalk*>(data);
  bool stop = IsWindowEnabled(w) && IsWindowVisible(w) && (GetWindowLongPtrA(w, GWL_STYLE) & WS_TABSTOP);
  if (!stop) return TRUE;
  if (!walk->first) walk->first = w;
  if (w == walk->current) {
    walk->currentSeen = true;
    walk->currentIsStop = true;
  } else if (walk->currentSeen && !walk->afterCurrent) {
    walk->afterCurrent = w;
  } else if (!walk->currentSeen) {
    walk->beforeCurrent = w;
  }
  walk->last = w;
  return TRUE;
}

}  // namespace

HACCEL accelerator_for(HWND active) {
  HWND focus = GetFocus();
  if (focus) {
    bool plainTab = Down(VK_TAB) && !Down(VK_CONTROL) && !Down(VK_SHIFT) && !Down(VK_MENU);
    // An editable rich edit field takes the Tab as text.
    if (plainTab && ClassIs(focus, "Rich", true) && !(SendMessageA(focus, EM_GETOPTIONS, 0, 0) & ECO_READONLY))
      return nullptr;
    if (GetPropA(focus, "KV_Hotkey")) return nullptr;
  }
  return window_accelerators(active);
}

void focus_step(bool backward) {
  HWND root = GetActiveWindow();
  HWND focus = GetFocus();
  HWND current = nullptr;
  if (focus && root && IsChild(root, focus)) {
    current = focus;
    for (HWND w = focus; w; w = GetParent(w)) {
      if (ClassIs(w, "MDI_ChildClass")) {
        root = w;
        if (w == focus) current = nullptr;
      } else if ((ClassIs(w, "ComboBoxEx32") && (GetWindowLongPtrA(w, GWL_STYLE) & 1)) ||
                 ClassIs(w, "SysIPAddress32")) {
        current = w;
      }
    }
  }
  if (!root) return;
  TabWalk walk{};
  walk.current = current;
  EnumChildWindows(root, VisitStop, reinterpret_cast<LPARAM>(&walk));
  if (!walk.first) return;
  HWND target;
  if (backward) {
    target = walk.currentIsStop && walk.beforeCurrent ? walk.beforeCurrent : walk.last;
  } else if (!current) {
    target = walk.first;
  } else if (!walk.currentIsStop) {
    return;
  } else {
    target = walk.afterCurrent ? walk.afterCurrent : walk.first;
  }
  SetFocus(target);
}
