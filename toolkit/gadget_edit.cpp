// Edit field gadgets: single-line "Edit" controls with optional colours; focus changes
// become gadget events 14000 / 14001. Depends on user32 and the gadget library.
// Limitation: text get and set use the window text (no kind slots for them).
#include "toolkit/events.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/window.h"

namespace {

WNDPROC g_editClassProc;

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) gadget_event_post(hwnd, GADGET_FOCUS_GAINED);
  else if (message == WM_KILLFOCUS) gadget_event_post(hwnd, GADGET_FOCUS_LOST);
  return CallWindowProcA(g_editClassProc, hwnd, message, wParam, lParam);
}

LRESULT EditHook(GadgetRecord* record, HWND, UINT message, WPARAM wParam, LPARAM) {
  bool colour = message == WM_CTLCOLOREDIT || (message == WM_CTLCOLORSTATIC && IsWindowEnabled(record->hwnd));
  return colour ? gadget_colour_hook(record, reinterpret_cast<HDC>(wParam)) : NOT_HANDLED;
}

const GadgetKind* EditKind() {
  static GadgetKind kind;
  if (!kind.type) {
    kind.type = 2;
    kind.size = sizeof kind;
    kind.message_hook = EditHook;
    kind.free_hook = gadget_colour_free;
    kind.colour_set = gadget_colour_set_slot;
    kind.colour_get = gadget_colour_get_slot;
  }
  return &kind;
}

}  // namespace

intptr_t edit_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char* text,
                            int32_t flags) {
  const GadgetKind* kind = EditKind();
  DWORD style = DWORD(flags) | WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
  DWORD exStyle = (flags & EDIT_BORDERLESS) ? 0 : WS_EX_CLIENTEDGE;
  HWND control = gadget_control_create("Edit", text, style, exStyle, x, y, width, height);
  if (!control) return 0;
  gadget_kind_subclass(control, EditProc, &g_editClassProc);
  GadgetRecord* record = gadget_record_for(number, control);
  if (!record) return 0;
  record->data1 = -1;
  record->data2 = -1;
  return gadget_register(number, record, control, kind);
}
