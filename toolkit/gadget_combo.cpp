// Drop-down list gadgets: "ComboBox", or "ComboBoxEx32" with an image list for items with
// pictures; fitted so that the closed control is exactly as high as asked.
// Depends on user32, comctl32 and the gadget library. Notifications arrive as gadget
// events with the notification code as type. A plain drop-down list's text, selection and
// open state come from what the toolkit knows of it (gadget_combo_state.cpp) while nothing
// has changed, so reading them every pass of the main loop sends the box no message.
#include <windows.h>

#include <commctrl.h>

#include "runtime/runtime.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_combo_state.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/gdi_count.h"
#include "toolkit/message_hooks.h"

namespace {

// Field height offset of the last created drop-down list: closed height minus item height.
int32_t g_fieldOffset = -1;

constexpr int32_t kImageStep = 25;

// An image handle and where it sits in the image list. A picture wider than the list's
// images takes several places there, so the place is kept rather than counted.
struct ComboImage {
  HANDLE handle;
  int32_t index;
};

// Images of a ComboBoxEx32: one image list and the handles already in it.
struct ComboImages {
  HIMAGELIST list;
  ComboImage* entries;
  int32_t count;
  int32_t capacity;
};

bool IsEx(const GadgetRecord* r) { return r->data1 == 1; }
bool ListOnly(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_STYLE) & 1; }

void FreeImages(GadgetRecord* r) {
  auto* images = reinterpret_cast<ComboImages*>(r->data2);
  if (!images) return;
  if (images->list) {
    ImageList_Destroy(images->list);
    --g_gdiCounts.imageLists;
  }
  ObjectFree(images->entries);
  ObjectFree(images);
  r->data2 = 0;
}

// The image's index in the gadget's image list, adding it (and the list) on first use.
int32_t ImageIndex(GadgetRecord* r, HANDLE image) {
  auto* images = reinterpret_cast<ComboImages*>(r->data2);
  if (!images) {
    images = static_cast<ComboImages*>(ObjectAlloc(sizeof(ComboImages)));
    if (!images) return -1;
    r->data2 = reinterpret_cast<intptr_t>(images);
  }
  for (int32_t i = 0; i < images->count; ++i)
    if (images->entries[i].handle == image) return images->entries[i].index;
  BITMAP bm{};
  if (GetObjectType(image) != OBJ_BITMAP || !GetObjectA(image, sizeof bm, &bm)) return -1;
  if (!images->list) {
    images->list = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32, 0, kImageStep);
    if (!images->list) return -1;
    ++g_gdiCounts.imageLists;
    SendMessageA(r->hwnd, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images->list));
  }
  if (images->count == images->capacity) {
    void* grown = ObjectReAlloc(images->entries, sizeof(ComboImage) * size_t(images->capacity + kImageStep));
    if (!grown) return -1;
    images->entries = static_cast<ComboImage*>(grown);
    images->capacity += kImageStep;
  }
  int index = ImageList_Add(images->list, static_cast<HBITMAP>(image), nullptr);
  if (index < 0) return -1;
  images->entries[images->count++] = {image, index};
  return index;
}

void ItemText(HWND hwnd, WPARAM position, int32_t offset) {
  gadget_result_item_text(hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, position, offset);
}

void ComboTextGet(GadgetRecord* r, int32_t offset) {
  if (combo_state_text(r, offset)) return;
  ComboReading reading;
  if (IsEx(r) && ListOnly(r->hwnd)) {
    LRESULT selected = SendMessageA(r->hwnd, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) gadget_result_text("", offset);
    else ItemText(r->hwnd, WPARAM(selected), offset);
    return;
  }
  gadget_result_window_text(r->hwnd, offset);
  combo_state_learn_text(r, offset);
}

intptr_t ComboSelection(GadgetRecord* r) {
  intptr_t selection = combo_state_selection(r);
  if (selection != -2) return selection;
  ComboReading reading;
  selection = SendMessageA(r->hwnd, CB_GETCURSEL, 0, 0);
  combo_state_learn_selection(r, selection);
  return selection;
}

// Notifications reach the parent as gadget events as before; each also tells the box's
// knowledge that something changed.
LRESULT ComboHook(GadgetRecord*, HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_COMMAND) combo_state_changed();
  return NOT_HANDLED;
}

void ComboFree(GadgetRecord* r) {
  FreeImages(r);
  combo_state_end(r);
}

intptr_t ComboTextSet(GadgetRecord* r, const char* text) {
  if (!ListOnly(r->hwnd)) return SetWindowTextA(r->hwnd, text);
  if (!*text) return SendMessageA(r->hwnd, CB_SETCURSEL, WPARAM(-1), 0);
  LRESULT found = SendMessageA(r->hwnd, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text));
  if (found == CB_ERR) return -1;
  return SendMessageA(r->hwnd, CB_SETCURSEL, WPARAM(found), 0);
}

intptr_t ComboItemAdd(GadgetRecord* r, int32_t position, const char* text, HANDLE image) {
  if (!IsEx(r)) {
    if (position >= -1) SendMessageA(r->hwnd, CB_INSERTSTRING, WPARAM(position), reinterpret_cast<LPARAM>(text));
    return 1;
  }
  if (position < 0) position = int32_t(SendMessageA(r->hwnd, CB_GETCOUNT, 0, 0));
  COMBOBOXEXITEMA item{};
  item.mask = CBEIF_TEXT;
  item.iItem = position;
  item.pszText = const_cast<char*>(text);
  if (image) {
    int32_t index = ImageIndex(r, image);
    if (index >= 0) {
      item.mask |= CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
      item.iImage = item.iSelectedImage = index;
    }
  }
  SendMessageA(r->hwnd, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return 1;
}

void ComboItemsClear(GadgetRecord* r) {
  SendMessageA(r->hwnd, CB_RESETCONTENT, 0, 0);
  auto* images = reinterpret_cast<ComboImages*>(r->data2);
  if (images && images->list) {
    ImageList_RemoveAll(images->list);
    images->count = 0;
  }
}

intptr_t ComboItemTextSet(GadgetRecord* r, int32_t position, const char* text) {
  if (IsEx(r)) {
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = position;
    item.pszText = const_cast<char*>(text);
    return SendMessageA(r->hwnd, CBEM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  // The item is replaced by a new one: its data and, when it is the chosen one, the choice
  // go over to it, so a new text never loses the user's choice.
  LRESULT data = SendMessageA(r->hwnd, CB_GETITEMDATA, WPARAM(position), 0);
  bool chosen = SendMessageA(r->hwnd, CB_GETCURSEL, 0, 0) == position;
  if (SendMessageA(r->hwnd, CB_DELETESTRING, WPARAM(position), 0) == CB_ERR) return -1;
  SendMessageA(r->hwnd, CB_INSERTSTRING, WPARAM(position), reinterpret_cast<LPARAM>(text));
  if (chosen) SendMessageA(r->hwnd, CB_SETCURSEL, WPARAM(position), 0);
  return SendMessageA(r->hwnd, CB_SETITEMDATA, WPARAM(position), data);
}

// The window height of a drop-down list is that of the opened list: the move keeps it (a
// move to the closed height would leave the list no room for a single item), and the closed
// height follows through the item height.
void ComboResize(GadgetRecord* r, int32_t x, int32_t y, int32_t width, int32_t height) {
  RECT closed{}, opened{};
  GetWindowRect(r->hwnd, &closed);
  SendMessageA(r->hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&opened));
  gadget_move(r, x, y, width, (closed.bottom - closed.top) + (opened.bottom - opened.top));
  if (height != -65535) SendMessageA(r->hwnd, CB_SETITEMHEIGHT, WPARAM(-1), height - g_fieldOffset);
}

constexpr GadgetKind kComboKind{
    .type = 8,
    .message_hook = ComboHook,
    .free_hook = ComboFree,
    .value_get = ComboSelection,
    .value_set = [](GadgetRecord* r, intptr_t v) { SendMessageA(r->hwnd, CB_SETCURSEL, WPARAM(v), 0); },
    .text_get = ComboTextGet,
    .text_set = ComboTextSet,
    .item_add = ComboItemAdd,
    .item_remove = [](GadgetRecord* r, int32_t p) { SendMessageA(r->hwnd, CB_DELETESTRING, WPARAM(p), 0); },
    .items_clear = ComboItemsClear,
    .resize = ComboResize,
    .item_count = [](GadgetRecord* r) -> intptr_t { return SendMessageA(r->hwnd, CB_GETCOUNT, 0, 0); },
    .item_text_get = [](GadgetRecord* r, int32_t p, int32_t offset) { ItemText(r->hwnd, WPARAM(p), offset); },
    .item_text_set = ComboItemTextSet,
    .item_data_set = [](GadgetRecord* r, int32_t p, intptr_t v) {
      SendMessageA(r->hwnd, CB_SETITEMDATA, WPARAM(p), LPARAM(v));
    },
    .item_data_get = [](GadgetRecord* r, int32_t p) -> intptr_t {
      return SendMessageA(r->hwnd, CB_GETITEMDATA, WPARAM(p), 0);
    },
};

}  // namespace

intptr_t combo_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, int32_t flags) {
  bool ex = flags & COMBO_IMAGES;
  DWORD style = DWORD(flags) | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP;
  bool editable = flags & COMBO_EDITABLE;
  if (!editable) style |= CBS_DROPDOWNLIST | WS_TABSTOP;
  HWND control = gadget_control_create(ex ? "ComboBoxEx32" : "ComboBox", nullptr, style, 0, x, y, width, 350);
  if (!control) return 0;
  if (editable) {
    HWND edit = GetWindow(control, GW_CHILD);
    if (ex && edit) edit = GetWindow(edit, GW_CHILD);
    if (edit) SetWindowLongPtrA(edit, GWL_STYLE, GetWindowLongPtrA(edit, GWL_STYLE) | WS_TABSTOP);
  }
  GadgetRecord* record = gadget_record_for(number, control);
  if (!record) return 0;
  record->data1 = ex ? 1 : 0;
  intptr_t result = gadget_register(number, record, control, &kComboKind);
  g_fieldOffset = -1;
  SendMessageA(control, CB_SETITEMHEIGHT, WPARAM(-1), 15);
  RECT r;
  GetWindowRect(control, &r);
  g_fieldOffset = (r.bottom - r.top) - 15;
  SendMessageA(control, CB_SETITEMHEIGHT, WPARAM(-1), height - g_fieldOffset);
  if (!ex) combo_state_start(record);
  return result;
}

bool combo_gadget_open(ObjectId number) {
  auto* r = static_cast<GadgetRecord*>(LookUpObject(g_gadgetList, number));
  if (!r || r->kind != &kComboKind) return false;
  int32_t known = combo_state_open(r);
  if (known >= 0) return known;
  ComboReading reading;
  bool open = SendMessageA(r->hwnd, CB_GETDROPPEDSTATE, 0, 0);
  combo_state_learn_open(r, open);
  return open;
}

void combo_gadget_fit_list(ObjectId number) {
  HWND control = gadget_handle(number);
  if (!control) return;
  HDC dc = GetDC(control);
  if (!dc) return;
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  LONG widest = 0;
  LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[512];
    LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, WPARAM(i), 0);
    if (length <= 0 || length >= LRESULT(sizeof text)) continue;
    length = SendMessageA(control, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    SIZE extent{};
    if (length > 0 && GetTextExtentPoint32A(dc, text, int(length), &extent) && extent.cx > widest) widest = extent.cx;
  }
  if (old) SelectObject(dc, old);
  ReleaseDC(control, dc);
  // The item's margins, the list's border and room for its scroll bar.
  LONG wanted = widest + 8 + 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
  RECT closed{};
  GetWindowRect(control, &closed);
  if (wanted < closed.right - closed.left) wanted = closed.right - closed.left;
  SendMessageA(control, CB_SETDROPPEDWIDTH, WPARAM(wanted), 0);
}
