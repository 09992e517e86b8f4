// Inside the gadget library: the gadget record, the kind table every generic operation
// dispatches through, the gadget state, and the core the five kinds share
// (gadget_kind.cpp; the shared brushes and colours in gadget_brush.cpp).
// Win32 only. Not for the program. Depends on no other toolkit module: the window
// procedure's event side hands a control's messages to its kind through it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/handle_table.h"
#include "runtime/objects.h"

struct GadgetKind;

struct GadgetRecord {
  HWND hwnd;  // 0 = free slot
  const GadgetKind* kind;
  WNDPROC previous;  // what the common subclass procedure calls on
  // Kind data. Edit and list: background colour, text colour, background brush; edit: the
  // held text (with whether the field is known to show it) or null.
  // Combo: 1 for ComboBoxEx32, image-list record, what is known of a plain one's state.
  // Picture: its own copy of the image set, premultiplied copy, pressed flag, press point.
  intptr_t data1, data2, data3, data4;
};

// A kind's table of operations, one constant per kind (kButtonKind ... in its file), set up
// with designated slots; slots left out are null and do nothing (or fall back as the
// operation says).
struct GadgetKind {
  int32_t type = 0;  // 1 button, 2 edit, 6 list, 8 combo, 9 image
  int32_t size = int32_t(sizeof(GadgetKind));  // bytes of the table
  LRESULT (*message_hook)(GadgetRecord*, HWND parent, UINT, WPARAM, LPARAM) = nullptr;
  void (*free_hook)(GadgetRecord*) = nullptr;
  intptr_t (*value_get)(GadgetRecord*) = nullptr;
  void (*value_set)(GadgetRecord*, intptr_t value) = nullptr;
  void (*text_get)(GadgetRecord*, int32_t offset) = nullptr;
  intptr_t (*text_set)(GadgetRecord*, const char* text) = nullptr;
  intptr_t (*item_add)(GadgetRecord*, int32_t position, const char* text, HANDLE image) = nullptr;
  intptr_t (*item_add_flags)(GadgetRecord*, int32_t position, const char* text, HANDLE image, int32_t flags) = nullptr;
  void (*item_remove)(GadgetRecord*, int32_t position) = nullptr;
  void (*items_clear)(GadgetRecord*) = nullptr;
  void (*resize)(GadgetRecord*, int32_t x, int32_t y, int32_t width, int32_t height) = nullptr;
  intptr_t (*item_count)(GadgetRecord*) = nullptr;
  intptr_t (*item_value_get)(GadgetRecord*, int32_t position) = nullptr;
  void (*item_value_set)(GadgetRecord*, int32_t position, intptr_t value) = nullptr;
  void (*item_text_get)(GadgetRecord*, int32_t position, int32_t offset) = nullptr;
  intptr_t (*item_text_set)(GadgetRecord*, int32_t position, const char* text) = nullptr;
  int32_t (*x_get)(GadgetRecord*) = nullptr;
  int32_t (*y_get)(GadgetRecord*) = nullptr;
  int32_t (*width_get)(GadgetRecord*) = nullptr;
  int32_t (*height_get)(GadgetRecord*) = nullptr;
  void (*colour_set)(GadgetRecord*, int32_t which, int32_t colour) = nullptr;
  int32_t (*colour_get)(GadgetRecord*, int32_t which) = nullptr;
  void (*item_data_set)(GadgetRecord*, int32_t position, intptr_t value) = nullptr;
  intptr_t (*item_data_get)(GadgetRecord*, int32_t position) = nullptr;
};

struct GadgetListRecord;

struct GadgetState {
  HWND current;  // parent of new gadgets
  HFONT font;
  HWND* stack;  // nesting stack
  int32_t depth;
  int32_t capacity;
  HWND auxiliary;
  CRITICAL_SECTION brushLock;
  ObjectNode* brushes;  // shared brushes, a node chain of GadgetBrush
  HandleTable lists;    // window -> its gadget-list record, as in its KV_GadgetStack property
};

extern ObjectList* g_gadgetList;
extern GadgetState* g_gadgets;

// Common creation: makes the control as a child of the current gadget list with window id
// -1; null when it cannot.
HWND gadget_control_create(const char* className, const char* text, DWORD style, DWORD exStyle, int32_t x,
                           int32_t y, int32_t width, int32_t height);
// The record for a number after the control exists; destroys the control when none can be
// had. The old gadget under a fixed number is destroyed here.
GadgetRecord* gadget_record_for(ObjectId number, HWND control);
// Puts a kind's own procedure in front of a new control's class procedure, which the kind
// keeps in classProcedure (one per kind: every control of a class has the same one).
void gadget_kind_subclass(HWND control, WNDPROC procedure, WNDPROC* classProcedure);
// Ties control and record to the number; returns the HWND or the dynamic id.
intptr_t gadget_register(ObjectId number, GadgetRecord* record, HWND control, const GadgetKind* kind);
// The record of a live control (by its window id), or null.
GadgetRecord* gadget_record_of(HWND control);
// Hands a control's message to its kind's message hook; NOT_HANDLED when it has none.
LRESULT gadget_message_hook(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
// True for a message that only asks a control something or has it paint: what a kind knows
// of a control's state (a held text, a selection) stays true through it.
bool gadget_message_only_asks(UINT message);
// The generic move: -65535 keeps a coordinate.
void gadget_move(GadgetRecord* record, int32_t x, int32_t y, int32_t width, int32_t height);

// String results in the temporary buffer.
void gadget_result_text(const char* text, int32_t offset);
void gadget_result_window_text(HWND control, int32_t offset);
// An item's text by the control's length and text messages (LB_GETTEXTLEN and LB_GETTEXT,
// or the CB_ pair); an empty text for a position that holds no item.
void gadget_result_item_text(HWND control, UINT lengthMessage, UINT textMessage, WPARAM position, int32_t offset);

// Shared brushes and the colour support of edit fields and list boxes (data1 background
// colour, data2 text colour, data3 brush).
HBRUSH gadget_brush_take(COLORREF colour);
void gadget_brush_release(HBRUSH brush);
void gadget_colour_set_slot(GadgetRecord* record, int32_t which, int32_t colour);
int32_t gadget_colour_get_slot(GadgetRecord* record, int32_t which);
LRESULT gadget_colour_hook(GadgetRecord* record, HDC dc);
void gadget_colour_free(GadgetRecord* record);

// The system's drag rectangle, read on the first creation of a kind that needs it.
struct DragSize {
  int32_t cx, cy;
};
const DragSize& gadget_drag_size();
// True when the point at (client coordinates packed as in lParam) has left the drag
// rectangle around the press point from.
bool gadget_outside_drag(LPARAM at, LPARAM from);
