// Push button gadgets: "Button" controls; a click arrives as BN_CLICKED, gadget event 0.
// Depends on user32 and the gadget library. No subclass of their own; text get and set
// use the caption.
#include "toolkit/gadget.h"
#include "toolkit/gadget_kind.h"

namespace {

intptr_t ButtonValueGet(GadgetRecord* record) { return SendMessageA(record->hwnd, BM_GETCHECK, 0, 0) & 1; }

void ButtonValueSet(GadgetRecord* record, intptr_t value) {
  SendMessageA(record->hwnd, BM_SETCHECK, value ? 1 : 0, 0);
}

constexpr GadgetKind kButtonKind{
    .type = 1,
    .value_get = ButtonValueGet,
    .value_set = ButtonValueSet,
};

}  // namespace

intptr_t button_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height,
                              const char* text, int32_t flags) {
  DWORD style = DWORD(flags) | WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
  HWND control = gadget_control_create("Button", text, style, 0, x, y, width, height);
  if (!control) return 0;
  GadgetRecord* record = gadget_record_for(number, control);
  if (!record) return 0;
  return gadget_register(number, record, control, &kButtonKind);
}
