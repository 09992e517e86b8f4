// Gadgets: the gadget object list, creation tail, the common subclass procedure that
// cleans up when a control dies, and the generic operations dispatched through the kinds.
// Depends on user32, ole32 (RevokeDragDrop), comctl32, the registry and the strings.
// Limitation: all of it runs on the thread that owns the windows (brushes excepted).
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <cstring>

#include "runtime/runtime.h"
#include "runtime/strings.h"
#include "toolkit/events.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/window.h"

ObjectList* g_gadgetList;
GadgetState* g_gadgets;

namespace {

void InitState(void* state) {
  auto* s = static_cast<GadgetState*>(state);
  s->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  InitializeCriticalSection(&s->brushLock);
}

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

GadgetRecord* Find(ObjectId number) { return static_cast<GadgetRecord*>(LookUpObject(g_gadgetList, number)); }

}  // namespace

void gadget_library_init() {
  g_gadgetList = NewObjectList(sizeof(GadgetRecord), 50, gadget_free);
  g_gadgets = static_cast<GadgetState*>(NewLibraryState(sizeof(GadgetState), InitState));
  INITCOMMONCONTROLSEX icc{sizeof icc, 0xB48};
  InitCommonControlsEx(&icc);
}

void gadget_library_end() {
  if (g_gadgets && g_gadgets->auxiliary) {
    DestroyWindow(g_gadgets->auxiliary);
    g_gadgets->auxiliary = nullptr;
  }
}

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
  GadgetRecord* record = Find(id);
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

intptr_t gadget_item_add(ObjectId number, int32_t position, const char* text, HANDLE image) {
  GadgetRecord* r = Find(number);
  if (!r) return 0;
  if (!text) text = "";
  if (r->kind->item_add_flags) return r->kind->item_add_flags(r, position, text, image, 0);
  return r->kind->item_add ? r->kind->item_add(r, position, text, image) : 0;
}

void gadget_item_remove(ObjectId number, int32_t position) {
  GadgetRecord* r = Find(number);
  if (r && r->kind->item_remove) r->kind->item_remove(r, position);
}

void gadget_items_clear(ObjectId number) {
  GadgetRecord* r = Find(number);
  if (r && r->kind->items_clear) r->kind->items_clear(r);
}

intptr_t gadget_item_count(ObjectId number) {
  GadgetRecord* r = Find(number);
  return r && r->kind->item_count ? r->kind->item_count(r) : 0;
}

void gadget_item_text_get(ObjectId number, int32_t position, int32_t offset) {
  GadgetRecord* r = Find(number);
  if (r && r->kind->item_text_get) r->kind->item_text_get(r, position, offset);
  else gadget_result_text("", offset);
}

void gadget_item_text_set(ObjectId number, int32_t position, const char* text) {
  GadgetRecord* r = Find(number);
  if (r && r->kind->item_text_set) r->kind->item_text_set(r, position, text ? text : "");
}

intptr_t gadget_state_get(ObjectId number) {
  GadgetRecord* r = Find(number);
  return r && r->kind->value_get ? r->kind->value_get(r) : 0;
}

void gadget_state_set(ObjectId number, intptr_t value) {
  GadgetRecord* r = Find(number);
  if (r && r->kind->value_set) r->kind->value_set(r, value);
}

void gadget_text_get(ObjectId number, int32_t offset) {
  GadgetRecord* r = Find(number);
  if (!r) gadget_result_text("", offset);
  else if (r->kind->text_get) r->kind->text_get(r, offset);
  else gadget_result_window_text(r->hwnd, offset);
}

void gadget_text_set(ObjectId number, const char* text) {
  GadgetRecord* r = Find(number);
  if (!r) return;
  if (!text) text = "";
  if (r->kind->text_set) r->kind->text_set(r, text);
  else SetWindowTextA(r->hwnd, text);
}

void gadget_colour_set(ObjectId number, int32_t which, int32_t colour) {
  GadgetRecord* r = Find(number);
  if (r && r->kind->colour_set) r->kind->colour_set(r, which, colour);
}

int32_t gadget_colour_get(ObjectId number, int32_t which) {
  GadgetRecord* r = Find(number);
  return r && r->kind->colour_get ? r->kind->colour_get(r, which) : 0;
}

void gadget_resize(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height) {
  GadgetRecord* r = Find(number);
  if (!r) return;
  if (r->kind->resize) r->kind->resize(r, x, y, width, height);
  else gadget_move(r, x, y, width, height);
}

HWND gadget_handle(ObjectId number) {
  GadgetRecord* r = Find(number);
  return r ? r->hwnd : nullptr;
}

void gadget_free(ObjectId number) {
  GadgetRecord* r = Find(number);
  if (!r) return;
  // A control that is already gone never sends the WM_NCDESTROY that releases its record.
  if (!IsWindow(r->hwnd) || !DestroyWindow(r->hwnd)) {
    if (Find(number) == r) ReleaseObject(g_gadgetList, number);
  }
}
