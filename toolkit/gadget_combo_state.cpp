// What the toolkit knows of its plain drop-down lists. One count of changes serves all of
// them: every message that reaches a box or its list, other than a question or a paint, and
// every notification a box sends, adds one; a value read at the current count is still
// true. The box and its list ("ComboLBox", where the user's clicks and hovering go while it
// is open) are watched through procedures of ours in front of their own.
// Depends on user32, the runtime heaps and the gadget library. Limitations: at most
// kWatched lists at once (a box beyond that has no knowledge); the list of a
// "ComboBoxEx32" is not watched, so those boxes are always asked.
#include "toolkit/gadget_combo_state.h"

#include <cstring>

#include "runtime/runtime.h"
#include "runtime/strings.h"

namespace {

struct Knowledge {
  uint32_t textSeen, selectionSeen, openSeen;  // the count each was read at; 0 = never
  char* text;                                  // stringHeap
  intptr_t selection;
  bool open;
};

uint32_t g_changes = 1;
bool g_reading;
WNDPROC g_boxClassProc;

// The watched lists and their own procedures.
constexpr int kWatched = 8;
struct WatchedList {
  HWND list;
  WNDPROC previous;
};
WatchedList g_lists[kWatched];

Knowledge* Of(const GadgetRecord* record) { return reinterpret_cast<Knowledge*>(record->data3); }

bool Changes(UINT message) {
  if (g_reading || gadget_message_only_asks(message)) return false;
  switch (message) {
    case CB_GETCOUNT:
    case CB_GETCURSEL:
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN:
    case CB_GETITEMDATA:
    case CB_GETITEMHEIGHT:
    case CB_GETDROPPEDSTATE:
    case CB_GETDROPPEDCONTROLRECT:
    case CB_GETCOMBOBOXINFO:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case LB_GETCOUNT:
    case LB_GETCURSEL:
    case LB_GETTEXT:
    case LB_GETTEXTLEN:
    case LB_GETITEMDATA:
    case LB_GETITEMHEIGHT:
    case LB_GETTOPINDEX:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return false;
    default:
      return true;
  }
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Changes(message)) ++g_changes;
  return CallWindowProcA(g_boxClassProc, hwnd, message, wParam, lParam);
}

WatchedList* Slot(HWND list) {
  for (WatchedList& w : g_lists)
    if (w.list == list) return &w;
  return nullptr;
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Changes(message)) ++g_changes;
  WatchedList* watched = Slot(hwnd);
  WNDPROC previous = watched ? watched->previous : nullptr;
  if (message == WM_NCDESTROY && watched) *watched = {};
  return previous ? CallWindowProcA(previous, hwnd, message, wParam, lParam)
                  : DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

ComboReading::ComboReading() : outer_(g_reading) { g_reading = true; }
ComboReading::~ComboReading() { g_reading = outer_; }

void combo_state_start(GadgetRecord* record) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  WatchedList* slot = Slot(nullptr);
  if (!slot || !GetComboBoxInfo(record->hwnd, &info) || !info.hwndList) return;
  auto* known = static_cast<Knowledge*>(ObjectAlloc(sizeof(Knowledge)));
  if (!known) return;
  gadget_kind_subclass(record->hwnd, BoxProc, &g_boxClassProc);
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(info.hwndList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
  *slot = {info.hwndList, previous};
  record->data3 = reinterpret_cast<intptr_t>(known);
}

void combo_state_end(GadgetRecord* record) {
  Knowledge* known = Of(record);
  if (!known) return;
  FreeString(&known->text);
  ObjectFree(known);
  record->data3 = 0;
}

void combo_state_changed() { ++g_changes; }

bool combo_state_text(GadgetRecord* record, int32_t offset) {
  Knowledge* known = Of(record);
  if (!known || known->textSeen != g_changes) return false;
  gadget_result_text(known->text, offset);
  return true;
}

intptr_t combo_state_selection(GadgetRecord* record) {
  Knowledge* known = Of(record);
  return known && known->selectionSeen == g_changes ? known->selection : -2;
}

int32_t combo_state_open(GadgetRecord* record) {
  Knowledge* known = Of(record);
  return known && known->openSeen == g_changes ? known->open : -1;
}

void combo_state_learn_text(GadgetRecord* record, int32_t offset) {
  Knowledge* known = Of(record);
  if (!known) return;
  const char* text = g_temp.text + offset;
  AssignString(&known->text, text);
  if (known->text && !std::strcmp(known->text, text)) known->textSeen = g_changes;
}

void combo_state_learn_selection(GadgetRecord* record, intptr_t selection) {
  if (Knowledge* known = Of(record)) {
    known->selection = selection;
    known->selectionSeen = g_changes;
  }
}

void combo_state_learn_open(GadgetRecord* record, bool open) {
  if (Knowledge* known = Of(record)) {
    known->open = open;
    known->openSeen = g_changes;
  }
}
