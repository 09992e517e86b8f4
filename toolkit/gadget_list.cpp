// List box gadgets: "ListBox" controls with single or multiple selection, click, double
// click and drag-start events, and optional colours. Depends on user32 and the gadget
// library. The press point lives in the control's "KV_MouseDown" property.
#include "toolkit/events.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/message_hooks.h"

namespace {

WNDPROC g_listClassProc;
// The list whose button release after a drag start is under way: the list box reports a
// selection change on every release it tracked, which must not read as a click.
HWND g_releaseAfterDrag;

bool Multiple(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL); }

// A press point kept in a property can be 0 (the corner): store it with bit 32 set.
constexpr intptr_t kPressMark = intptr_t(1) << 32;

LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto pressed = reinterpret_cast<intptr_t>(GetPropA(hwnd, "KV_MouseDown"));
  if (message == WM_LBUTTONDOWN && !(wParam & (MK_SHIFT | MK_CONTROL))) {
    RemovePropA(hwnd, "KV_Dragged");
    LRESULT item = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, lParam);
    bool extended = GetWindowLongPtrA(hwnd, GWL_STYLE) & LBS_EXTENDEDSEL;
    if (HIWORD(item) == 0 && (!extended || SendMessageA(hwnd, LB_GETSEL, LOWORD(item), 0) > 0)) {
      SetPropA(hwnd, "KV_MouseDown", reinterpret_cast<HANDLE>(kPressMark | (lParam & 0xFFFFFFFF)));
      SetCapture(hwnd);
      if (extended) return 0;
    }
  } else if (message == WM_MOUSEMOVE && pressed) {
    if (gadget_outside_drag(lParam, pressed & 0xFFFFFFFF)) {
      RemovePropA(hwnd, "KV_MouseDown");
      SetPropA(hwnd, "KV_Dragged", reinterpret_cast<HANDLE>(1));
      ReleaseCapture();
      gadget_event_post(hwnd, GADGET_DRAG_STARTED);
    }
  } else if (message == WM_LBUTTONUP && pressed) {
    RemovePropA(hwnd, "KV_MouseDown");
    ReleaseCapture();
    gadget_event_post(hwnd, GADGET_LEFT_CLICK);
  } else if (message == WM_LBUTTONUP && RemovePropA(hwnd, "KV_Dragged")) {
    g_releaseAfterDrag = hwnd;
    LRESULT result = CallWindowProcA(g_listClassProc, hwnd, message, wParam, lParam);
    g_releaseAfterDrag = nullptr;
    return result;
  } else if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != hwnd) {
    RemovePropA(hwnd, "KV_MouseDown");  // the mouse went elsewhere: the press is over
  } else if (message == WM_NCDESTROY) {
    RemovePropA(hwnd, "KV_MouseDown");
    RemovePropA(hwnd, "KV_Dragged");
  }
  return CallWindowProcA(g_listClassProc, hwnd, message, wParam, lParam);
}

LRESULT ListHook(GadgetRecord* record, HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND) {
    if (HIWORD(wParam) == LBN_DBLCLK) gadget_event_post(record->hwnd, GADGET_LEFT_DOUBLE_CLICK);
    else if (HIWORD(wParam) == LBN_SELCHANGE && record->hwnd != g_releaseAfterDrag)
      gadget_event_post(record->hwnd, GADGET_LEFT_CLICK);
    return 0;
  }
  if (message == WM_CTLCOLORLISTBOX) return gadget_colour_hook(record, reinterpret_cast<HDC>(wParam));
  return NOT_HANDLED;
}

intptr_t ListValueGet(GadgetRecord* r) {
  if (!Multiple(r->hwnd)) return SendMessageA(r->hwnd, LB_GETCURSEL, 0, 0);
  int first = -1;
  return SendMessageA(r->hwnd, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) > 0 ? first : -1;
}

void ListValueSet(GadgetRecord* r, intptr_t value) {
  if (!Multiple(r->hwnd)) {
    SendMessageA(r->hwnd, LB_SETCURSEL, WPARAM(value), 0);
    return;
  }
  // Index -1 clears every item; a range from the last item down to 0 would select a list of
  // one item instead of clearing it.
  SendMessageA(r->hwnd, LB_SETSEL, FALSE, -1);
  if (value != -1) SendMessageA(r->hwnd, LB_SETSEL, TRUE, LPARAM(value));
}

void ItemText(HWND hwnd, WPARAM position, int32_t offset) {
  gadget_result_item_text(hwnd, LB_GETTEXTLEN, LB_GETTEXT, position, offset);
}

void ListTextGet(GadgetRecord* r, int32_t offset) {
  LRESULT selected = SendMessageA(r->hwnd, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) gadget_result_text("", offset);
  else ItemText(r->hwnd, WPARAM(selected), offset);
}

intptr_t ListTextSet(GadgetRecord* r, const char* text) {
  LRESULT found = SendMessageA(r->hwnd, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text));
  if (Multiple(r->hwnd)) {
    // Index -1 would select every item: a text that is no item changes nothing.
    return found == LB_ERR ? LB_ERR : SendMessageA(r->hwnd, LB_SETSEL, TRUE, found);
  }
  return SendMessageA(r->hwnd, LB_SETCURSEL, WPARAM(found), 0);
}

intptr_t ListItemAdd(GadgetRecord* r, int32_t position, const char* text, HANDLE) {
  SendMessageA(r->hwnd, LB_INSERTSTRING, WPARAM(position), reinterpret_cast<LPARAM>(text));
  return 0;
}

void ListItemTextGet(GadgetRecord* r, int32_t position, int32_t offset) { ItemText(r->hwnd, WPARAM(position), offset); }

intptr_t ListItemTextSet(GadgetRecord* r, int32_t position, const char* text) {
  LRESULT data = SendMessageA(r->hwnd, LB_GETITEMDATA, WPARAM(position), 0);
  if (SendMessageA(r->hwnd, LB_DELETESTRING, WPARAM(position), 0) == LB_ERR) return -1;
  SendMessageA(r->hwnd, LB_INSERTSTRING, WPARAM(position), reinterpret_cast<LPARAM>(text));
  return SendMessageA(r->hwnd, LB_SETITEMDATA, WPARAM(position), data);
}

constexpr GadgetKind kListKind{
    .type = 6,
    .message_hook = ListHook,
    .free_hook = gadget_colour_free,
    .value_get = ListValueGet,
    .value_set = ListValueSet,
    .text_get = ListTextGet,
    .text_set = ListTextSet,
    .item_add = ListItemAdd,
    .item_remove = [](GadgetRecord* r, int32_t p) { SendMessageA(r->hwnd, LB_DELETESTRING, WPARAM(p), 0); },
    .items_clear = [](GadgetRecord* r) { SendMessageA(r->hwnd, LB_RESETCONTENT, 0, 0); },
    .item_count = [](GadgetRecord* r) -> intptr_t { return SendMessageA(r->hwnd, LB_GETCOUNT, 0, 0); },
    .item_value_get = [](GadgetRecord* r, int32_t p) -> intptr_t {
      return SendMessageA(r->hwnd, LB_GETSEL, WPARAM(p), 0);
    },
    .item_value_set = [](GadgetRecord* r, int32_t p, intptr_t v) {
      SendMessageA(r->hwnd, LB_SETSEL, v != 0, LPARAM(p));
    },
    .item_text_get = ListItemTextGet,
    .item_text_set = ListItemTextSet,
    .colour_set = gadget_colour_set_slot,
    .colour_get = gadget_colour_get_slot,
    .item_data_set = [](GadgetRecord* r, int32_t p, intptr_t v) {
      SendMessageA(r->hwnd, LB_SETITEMDATA, WPARAM(p), LPARAM(v));
    },
    .item_data_get = [](GadgetRecord* r, int32_t p) -> intptr_t {
      return SendMessageA(r->hwnd, LB_GETITEMDATA, WPARAM(p), 0);
    },
};

}  // namespace

intptr_t list_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, int32_t flags) {
  gadget_drag_size();
  DWORD style = DWORD(flags) | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP |
                LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY;
  HWND control = gadget_control_create("ListBox", nullptr, style, WS_EX_CLIENTEDGE, x, y, width, height);
  if (!control) return 0;
  gadget_kind_subclass(control, ListProc, &g_listClassProc);
  GadgetRecord* record = gadget_record_for(number, control);
  if (!record) return 0;
  record->data1 = -1;
  record->data2 = -1;
  return gadget_register(number, record, control, &kListKind);
}
