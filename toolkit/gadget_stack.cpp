// The current gadget list (the window that receives new gadgets) and the gadget-list
// record each such window keeps in its "KV_GadgetStack_%i" property, with the saved
// nesting stack; the gadget state's table finds the record without asking for the property.
// Depends on user32, objectHeap and the handle tables. Main thread only.
#include "toolkit/gadget_stack.h"

#include <cstdio>

#include "runtime/runtime.h"
#include "toolkit/gadget_kind.h"

struct GadgetListRecord {
  HWND window;
  HWND savedCurrent;
  HWND* savedStack;
  int32_t savedDepth;
  int32_t savedCapacity;
  WNDPROC replaced;
};

namespace {

constexpr int32_t kStackStart = 10;

void PropertyName(char (&name)[48]) {
  std::snprintf(name, sizeof name, "KV_GadgetStack_%lld",
                static_cast<long long>(reinterpret_cast<intptr_t>(g_runtime.instance)));
}

// Found in the gadget state's table, kept beside the property.
GadgetListRecord* RecordOf(HWND window) {
  return g_gadgets ? static_cast<GadgetListRecord*>(HandleTableGet(&g_gadgets->lists, window)) : nullptr;
}

HWND CurrentList() {
  GadgetState* s = g_gadgets;
  return s->depth ? s->stack[s->depth - 1] : s->current;
}

LRESULT CALLBACK GadgetListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetListRecord* record = RecordOf(hwnd);
  WNDPROC replaced = record ? record->replaced : nullptr;
  if (message == WM_NCDESTROY && record) {
    if (g_gadgets && CurrentList() == hwnd) {
      g_gadgets->current = nullptr;
      g_gadgets->depth = 0;
    }
    ObjectFree(record->savedStack);
    ObjectFree(record);
    HandleTableRemove(&g_gadgets->lists, hwnd);
    char name[48];
    PropertyName(name);
    RemovePropA(hwnd, name);
  }
  if (!replaced) return DefWindowProcA(hwnd, message, wParam, lParam);
  return CallWindowProcA(replaced, hwnd, message, wParam, lParam);
}

}  // namespace

HWND gadget_list_use(HWND window) {
  GadgetState* s = g_gadgets;
  if (!s) return nullptr;
  HWND previous = CurrentList();
  if (!window) return previous;
  if (previous) {
    GadgetListRecord* saved = RecordOf(previous);
    if (saved) {
      if (saved->savedStack != s->stack) ObjectFree(saved->savedStack);
      *saved = {saved->window, s->current, s->stack, s->depth, s->capacity, saved->replaced};
      s->stack = nullptr;
      s->depth = s->capacity = 0;
    }
  }
  if (GadgetListRecord* record = RecordOf(window)) {
    ObjectFree(s->stack);
    s->current = record->savedCurrent;
    s->stack = record->savedStack;
    s->depth = record->savedDepth;
    s->capacity = record->savedCapacity;
    record->savedStack = nullptr;
    return previous;
  }
  if (s->stack) {
    s->depth = 0;
  } else {
    s->stack = static_cast<HWND*>(ObjectAlloc(kStackStart * sizeof(HWND)));
    s->depth = 0;
    s->capacity = s->stack ? kStackStart : 0;
  }
  s->current = window;
  auto* record = static_cast<GadgetListRecord*>(ObjectAlloc(sizeof(GadgetListRecord)));
  if (!record) return previous;
  if (!HandleTableSet(&s->lists, window, record)) {
    ObjectFree(record);
    return previous;
  }
  record->window = window;
  record->savedCurrent = window;
  char name[48];
  PropertyName(name);
  SetPropA(window, name, record);
  record->replaced = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GadgetListProc)));
  return previous;
}
