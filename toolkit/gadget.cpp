// Gadgets: the library's start and end, and the generic operations the program calls,
// each dispatched through the gadget's kind (gadget_kind.h); a kind without the slot falls
// back as the operation says. Depends on user32, comctl32 and the registry.
// Limitation: all of it runs on the thread that owns the windows (brushes excepted).
#include "toolkit/gadget.h"

#include <commctrl.h>

#include "runtime/runtime.h"
#include "toolkit/gadget_kind.h"

namespace {

void InitState(void* state) {
  auto* s = static_cast<GadgetState*>(state);
  s->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  InitializeCriticalSection(&s->brushLock);
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
