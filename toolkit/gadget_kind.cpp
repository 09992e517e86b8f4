// The gadget core every kind builds on: the gadget object list and state, the common
// creation tail that ties a control to its number, the common subclass procedure that
// cleans up when a control dies, the record of a control and the hand-over of its parent's
// messages to its kind, the generic move, string results and the drag rectangle.
// Depends on user32, ole32 (RevokeDragDrop), the registry and the strings; on no other
// toolkit module, so the window procedure's event side can hand messages to the kinds.
// Limitation: all of it runs on the thread that owns the windows.
#include "toolkit/gadget_kind.h"

#include <ole2.h>

#include <cstring>

#include "runtime/runtime.h"
#include "runtime/strings.h"
#include "toolkit/message_hooks.h"

ObjectList* g_gadgetList;
GadgetState* g_gadgets;

namespace {

// A paint request whose device context is none, or a font that is none: any program can
// send or post one with any number there. The system's edit control keeps a broken text
// layout after drawing into a bad device context (the next text written crashes it), and
// a drop-down list takes another height for a bad font.
bool NamesNoSuchObject(UINT message, WPARAM wParam) {
  DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(wParam));
  if (message == WM_SETFONT) return wParam && type != OBJ_FONT;
  bool carriesDc = message == WM_PRINT || message == WM_PRINTCLIENT || message == WM_ERASEBKGND ||
                   (message == WM_PAINT && wParam);
  return carriesDc && type != OBJ_DC && type != OBJ_MEMDC && type != OBJ_METADC && type != OBJ_ENHMETADC;
}

LRESULT CALLBACK CommonSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ObjectId id = GetWindowLongPtrA(hwnd, GWLP_ID);
  if (id == -1) return DefWindowProcA(hwnd, message, wParam, lParam);
  auto* record = static_cast<GadgetRecord*>(LookUpObject(g_gadgetList, id));
  if (!record || record->hwnd != hwnd) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (NamesNoSuchObject(message, wParam)) return 0;
  // A control has no close box: a close command comes from another program, and the
  // default would destroy the control. Closing is the application's decision.
  if (message == WM_CLOSE) return 0;
  LRESULT result = CallWindowProcA(record->previous, hwnd, message, wParam, lParam);
  // Creations during the call may have moved the slots: look the record up again.
  if (message == WM_NCDESTROY && (record = static_cast<GadgetRecord*>(LookUpObject(g_gadgetList, id)))) {
    if (record->kind->free_hook) record->kind->free_hook(record);
    RemovePropA(hwnd, "KV_ID");
    if (RemovePropA(hwnd, "KV_DropAccept")) RevokeDragDrop(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_ID, -1);
    ReleaseObject(g_gadgetList, id);
  }
  return result;
}

}  // namespace

HWND gadget_control_create(const char* className, const char* text, DWORD style, DWORD exStyle, int32_t x,
                           int32_t y, int32_t width, int32_t height) {
  HWND parent = g_gadgets ? g_gadgets->current : nullptr;
  return CreateWindowExA(exStyle, className, text ? text : "", style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(intptr_t(-1)), static_cast<HINSTANCE>(g_runtime.instance), nullptr);
}

GadgetRecord* gadget_record_for(ObjectId number, HWND control) {
  auto* record = static_cast<GadgetRecord*>(AllocateObject(g_gadgetList, number));
  if (!record) DestroyWindow(control);
  return record;
}

void gadget_kind_subclass(HWND control, WNDPROC procedure, WNDPROC* classProcedure) {
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  if (!*classProcedure) *classProcedure = previous;
}

intptr_t gadget_register(ObjectId number, GadgetRecord* record, HWND control, const GadgetKind* kind) {
  bool dynamic = number == DynamicNumber;
  if (dynamic) number = reinterpret_cast<intptr_t>(record);
  record->hwnd = control;
  record->kind = kind;
  record->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CommonSubclassProc)));
  SetWindowLongPtrA(control, GWLP_ID, number);
  SetPropA(control, "KV_ID", reinterpret_cast<HANDLE>(number));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_gadgets ? g_gadgets->font : nullptr), TRUE);
  return dynamic ? number : reinterpret_cast<intptr_t>(control);
}

GadgetRecord* gadget_record_of(HWND control) {
  if (!control) return nullptr;
  ObjectId id = GetWindowLongPtrA(control, GWLP_ID);
  if (id == -1) return nullptr;
  auto* record = static_cast<GadgetRecord*>(LookUpObject(g_gadgetList, id));
  return record && record->hwnd == control ? record : nullptr;
}

LRESULT gadget_message_hook(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  // Only a toolkit gadget qualifies: a live record under the control's window id that holds
  // this very control (as its KV_ID property says, without asking for it).
  if (!control || !IsWindow(control)) return NOT_HANDLED;
  GadgetRecord* record = gadget_record_of(control);
  if (!record || !record->kind->message_hook) return NOT_HANDLED;
  return record->kind->message_hook(record, parent, message, wParam, lParam);
}

bool gadget_message_only_asks(UINT message) {
  switch (message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETFONT:
    case WM_GETDLGCODE:
    case WM_GETOBJECT:
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
      return true;
    default:
      return false;
  }
}

void gadget_move(GadgetRecord* record, int32_t x, int32_t y, int32_t width, int32_t height) {
  const GadgetKind* k = record->kind;
  RECT r;
  GetWindowRect(record->hwnd, &r);
  MapWindowPoints(nullptr, GetParent(record->hwnd), reinterpret_cast<POINT*>(&r), 2);
  constexpr int32_t keep = -65535;
  if (x == keep) x = k->x_get ? k->x_get(record) : r.left;
  if (y == keep) y = k->y_get ? k->y_get(record) : r.top;
  if (width == keep) width = k->width_get ? k->width_get(record) : r.right - r.left;
  if (height == keep) height = k->height_get ? k->height_get(record) : r.bottom - r.top;
  MoveWindow(record->hwnd, x, y, width, height, TRUE);
}

void gadget_result_text(const char* text, int32_t offset) {
  if (!text) text = "";
  auto n = int32_t(std::strlen(text));
  char* out = ReserveTemp(n, offset);
  std::memcpy(out, text, size_t(n));
  out[n] = 0;
}

void gadget_result_window_text(HWND control, int32_t offset) {
  int32_t n = control ? GetWindowTextLengthA(control) : 0;
  char* out = ReserveTemp(n, offset);
  out[0] = 0;
  int32_t got = n ? GetWindowTextA(control, out, n + 1) : 0;
  SetTempPos(offset + got);
}

void gadget_result_item_text(HWND control, UINT lengthMessage, UINT textMessage, WPARAM position, int32_t offset) {
  LRESULT n = SendMessageA(control, lengthMessage, position, 0);
  if (n < 0) {
    gadget_result_text("", offset);
    return;
  }
  char* out = ReserveTemp(int32_t(n), offset);
  out[0] = 0;
  // The length message may report more than the text holds; the result ends where it does.
  LRESULT got = SendMessageA(control, textMessage, position, reinterpret_cast<LPARAM>(out));
  SetTempPos(offset + int32_t(got > 0 && got <= n ? got : 0));
}

const DragSize& gadget_drag_size() {
  static DragSize size{GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)};
  return size;
}

bool gadget_outside_drag(LPARAM at, LPARAM from) {
  int32_t dx = int16_t(LOWORD(at)) - int16_t(LOWORD(from)), dy = int16_t(HIWORD(at)) - int16_t(HIWORD(from));
  const DragSize& drag = gadget_drag_size();
  return dx > drag.cx || -dx > drag.cx || dy > drag.cy || -dy > drag.cy;
}
