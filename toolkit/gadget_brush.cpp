// Shared solid brushes (one per colour, counted, under a critical section) and the
// colour support that edit fields and list boxes share: set, get, the control-colour hook.
// Depends on gdi32, user32 and objectHeap.
#include "toolkit/gadget_kind.h"
#include "toolkit/gdi_count.h"
#include "toolkit/message_hooks.h"

namespace {

struct GadgetBrush {
  COLORREF colour;
  HBRUSH brush;
  int32_t uses;
};

GadgetBrush* Next(ObjectNode* node) { return node ? static_cast<GadgetBrush*>(PayloadOf(node)) : nullptr; }

}  // namespace

HBRUSH gadget_brush_take(COLORREF colour) {
  if (!g_gadgets) return nullptr;
  EnterCriticalSection(&g_gadgets->brushLock);
  HBRUSH result = nullptr;
  for (ObjectNode* n = g_gadgets->brushes; n; n = n->next) {
    GadgetBrush* entry = Next(n);
    if (entry->colour == colour) {
      ++entry->uses;
      result = entry->brush;
      break;
    }
  }
  if (!result) {
    auto* entry = static_cast<GadgetBrush*>(AddNode(&g_gadgets->brushes, sizeof(GadgetBrush)));
    if (entry) {
      entry->brush = CreateSolidBrush(colour);
      if (entry->brush) {
        entry->colour = colour;
        entry->uses = 1;
        result = entry->brush;
        ++g_gdiCounts.brushes;
      } else {
        RemoveNode(&g_gadgets->brushes, entry);
      }
    }
  }
  LeaveCriticalSection(&g_gadgets->brushLock);
  return result;
}

void gadget_brush_release(HBRUSH brush) {
  if (!g_gadgets || !brush) return;
  EnterCriticalSection(&g_gadgets->brushLock);
  for (ObjectNode* n = g_gadgets->brushes; n; n = n->next) {
    GadgetBrush* entry = Next(n);
    if (entry->brush != brush) continue;
    if (--entry->uses == 0) {
      DeleteObject(entry->brush);
      --g_gdiCounts.brushes;
      RemoveNode(&g_gadgets->brushes, entry);
    }
    break;
  }
  LeaveCriticalSection(&g_gadgets->brushLock);
}

void gadget_colour_set_slot(GadgetRecord* record, int32_t which, int32_t colour) {
  if (which == 1) {
    record->data2 = colour;
  } else if (which == 2) {
    gadget_brush_release(reinterpret_cast<HBRUSH>(record->data3));
    record->data3 = colour == -1 ? 0 : reinterpret_cast<intptr_t>(gadget_brush_take(COLORREF(colour)));
    record->data1 = colour;
  } else {
    return;
  }
  RedrawWindow(record->hwnd, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}

int32_t gadget_colour_get_slot(GadgetRecord* record, int32_t which) {
  if (which == 1) return int32_t(record->data2);
  if (which == 2) return int32_t(record->data1);
  return -1;
}

LRESULT gadget_colour_hook(GadgetRecord* record, HDC dc) {
  LRESULT result = NOT_HANDLED;
  if (record->data2 != -1) {
    SetTextColor(dc, COLORREF(record->data2));
    if (record->data1 == -1) {
      SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
  }
  if (record->data1 != -1) {
    SetBkColor(dc, COLORREF(record->data1));
    result = record->data3;
  }
  return result;
}

void gadget_colour_free(GadgetRecord* record) {
  gadget_brush_release(reinterpret_cast<HBRUSH>(record->data3));
  record->data3 = 0;
}
