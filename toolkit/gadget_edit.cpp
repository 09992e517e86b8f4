// Edit field gadgets: single-line "Edit" controls with optional colours; focus changes
// become gadget events 14000 / 14001. A field can be made to hold the program's text: it
// then shows only what the program writes, and anything else (typing, pasting, another
// program's WM_SETTEXT) is replaced at once by the program's last text, while the field
// keeps the look of an editable one; the program writing the text it shows already changes
// nothing, and costs no message to the field unless something else reached the field since.
// Depends on user32, the strings and the gadget library. Limitation: text get uses the
// window text (no kind slot for it).
#include <cstring>

#include "runtime/runtime.h"
#include "runtime/strings.h"
#include "toolkit/events.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/message_hooks.h"

namespace {

WNDPROC g_editClassProc;
// True while this library itself writes a field's text: the EN_CHANGE that follows is its own.
bool g_writing;

// A held field's text, and whether the field is known to show it: true after the library
// wrote it, false once any message that might change the text has reached the field.
struct Held {
  char* text;  // stringHeap
  bool shown;
};

Held* HeldOf(const GadgetRecord* record) { return reinterpret_cast<Held*>(record->data4); }

BOOL Write(GadgetRecord* record, const char* text) {
  bool outer = g_writing;
  g_writing = true;
  BOOL done = SetWindowTextA(record->hwnd, text);
  g_writing = outer;
  if (Held* held = HeldOf(record)) held->shown = done && !std::strcmp(held->text, text);
  return done;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) gadget_event_post(hwnd, GADGET_FOCUS_GAINED);
  else if (message == WM_KILLFOCUS) gadget_event_post(hwnd, GADGET_FOCUS_LOST);
  if (!gadget_message_only_asks(message) && message != WM_SETFOCUS && message != WM_KILLFOCUS)
    if (GadgetRecord* record = gadget_record_of(hwnd))
      if (Held* held = HeldOf(record)) held->shown = false;
  return CallWindowProcA(g_editClassProc, hwnd, message, wParam, lParam);
}

LRESULT EditHook(GadgetRecord* record, HWND, UINT message, WPARAM wParam, LPARAM) {
  // A change this library did not write puts the held text back, before the pump returns.
  // The notification still becomes a gadget event as usual.
  Held* held = HeldOf(record);
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && held && !g_writing) Write(record, held->text);
  bool colour = message == WM_CTLCOLOREDIT || (message == WM_CTLCOLORSTATIC && IsWindowEnabled(record->hwnd));
  return colour ? gadget_colour_hook(record, reinterpret_cast<HDC>(wParam)) : NOT_HANDLED;
}

// True when the control shows exactly text (of at most kShownMax bytes; a longer text
// counts as not shown).
constexpr size_t kShownMax = 62;
bool Shows(HWND hwnd, const char* text) {
  size_t length = std::strlen(text);
  if (length > kShownMax) return false;
  char shown[kShownMax + 2];
  int got = GetWindowTextA(hwnd, shown, int(length + 2));
  return got == int(length) && std::memcmp(shown, text, length) == 0;
}

intptr_t EditTextSet(GadgetRecord* record, const char* text) {
  if (Held* held = HeldOf(record)) {
    // Writing the text a held field shows already would only repaint the same pixels (and
    // move its caret and selection): nothing to do. The field is asked only when something
    // may have changed it since the library wrote it.
    if (!std::strcmp(held->text, text) && (held->shown || Shows(record->hwnd, text))) {
      held->shown = true;
      return TRUE;
    }
    AssignString(&held->text, text);
  }
  return Write(record, text);
}

void EditFree(GadgetRecord* record) {
  gadget_colour_free(record);
  if (Held* held = HeldOf(record)) {
    FreeString(&held->text);
    ObjectFree(held);
  }
  record->data4 = 0;
}

constexpr GadgetKind kEditKind{
    .type = 2,
    .message_hook = EditHook,
    .free_hook = EditFree,
    .text_set = EditTextSet,
    .colour_set = gadget_colour_set_slot,
    .colour_get = gadget_colour_get_slot,
};

}  // namespace

intptr_t edit_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char* text,
                            int32_t flags) {
  DWORD style = DWORD(flags) | WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
  DWORD exStyle = (flags & EDIT_BORDERLESS) ? 0 : WS_EX_CLIENTEDGE;
  HWND control = gadget_control_create("Edit", text, style, exStyle, x, y, width, height);
  if (!control) return 0;
  gadget_kind_subclass(control, EditProc, &g_editClassProc);
  GadgetRecord* record = gadget_record_for(number, control);
  if (!record) return 0;
  record->data1 = -1;
  record->data2 = -1;
  return gadget_register(number, record, control, &kEditKind);
}

void edit_gadget_hold_text(ObjectId number) {
  GadgetRecord* record = static_cast<GadgetRecord*>(LookUpObject(g_gadgetList, number));
  if (!record || record->kind != &kEditKind || HeldOf(record)) return;
  auto* held = static_cast<Held*>(ObjectAlloc(sizeof(Held)));
  if (!held) return;
  int32_t start = g_temp.pos;
  gadget_result_window_text(record->hwnd, start);
  NewString(&held->text, g_temp.text + start);
  SetTempPos(start);
  held->shown = true;
  record->data4 = reinterpret_cast<intptr_t>(held);
}
