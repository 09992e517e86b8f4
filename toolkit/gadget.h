// Gadgets: numbered Win32 controls placed in toolkit windows, and the five kinds the
// program uses (edit field, picture, drop-down list, push button, list box).
// Win32 only. Depends on the window and event libraries and the image utilities.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/objects.h"

// Start-up and teardown steps: gadgets, and the "common controls and COM" step.
void gadget_library_init();
void gadget_library_end();
void controls_library_init();


// Creation: returns the control's HWND for a fixed number, the dynamic id for -1, 0 when
// the control cannot be made. A number in use is freed first. A null text is empty.
constexpr int32_t EDIT_BORDERLESS = 0x20000;
intptr_t edit_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char* text,
                            int32_t flags = 0);
// Makes an edit field show only the program's text: what it shows now, then whatever
// gadget_text_set writes. Any other change (typing, pasting, another program) is undone
// before the event pump returns. Nothing for a number that holds no edit field.
void edit_gadget_hold_text(ObjectId number);
// The picture measures the image's size (+4 each way with WS_EX_CLIENTEDGE = 512) and keeps
// showing it after the caller frees the handle: the gadget holds its own copy.
intptr_t image_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, HANDLE image,
                             int32_t extendedStyle);
constexpr int32_t COMBO_EDITABLE = 2;  // CBS_DROPDOWN
constexpr int32_t COMBO_IMAGES = 0x10000000;
intptr_t combo_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height,
                             int32_t flags = 0);
// True while the drop-down list's list is open.
bool combo_gadget_open(ObjectId number);
// Makes the opened list of a drop-down at least as wide as its widest item, never narrower
// than the closed control. Call it after the items change.
void combo_gadget_fit_list(ObjectId number);
intptr_t button_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height,
                              const char* text, int32_t flags = 0);
intptr_t list_gadget_create(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height,
                            int32_t flags = 0);

// Generic operations; each does nothing and returns 0 for a number that holds no gadget.
// Item positions: -1 appends; the image is used by drop-down lists made with COMBO_IMAGES.
intptr_t gadget_item_add(ObjectId number, int32_t position, const char* text, HANDLE image = nullptr);
void gadget_item_remove(ObjectId number, int32_t position);
void gadget_items_clear(ObjectId number);
intptr_t gadget_item_count(ObjectId number);
// Item text: a string result at offset in the temporary buffer (runtime/strings.h).
void gadget_item_text_get(ObjectId number, int32_t position, int32_t offset);
void gadget_item_text_set(ObjectId number, int32_t position, const char* text);
intptr_t gadget_state_get(ObjectId number);
// The kind's value: selection, check state, or for a picture the image handle.
void gadget_state_set(ObjectId number, intptr_t value);
// The gadget's text as a string result at offset (an empty text for no gadget).
void gadget_text_get(ObjectId number, int32_t offset);
void gadget_text_set(ObjectId number, const char* text);
// Colours of edit fields and list boxes: which 1 = text, 2 = background; -1 = default.
void gadget_colour_set(ObjectId number, int32_t which, int32_t colour);
int32_t gadget_colour_get(ObjectId number, int32_t which);
// Moves a gadget; -65535 keeps a coordinate.
void gadget_resize(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height);
HWND gadget_handle(ObjectId number);
// Destroys the control; its record goes with it.
void gadget_free(ObjectId number);
