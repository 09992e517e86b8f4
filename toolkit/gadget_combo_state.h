// What the toolkit knows of a plain drop-down list ("ComboBox") without asking it: its text,
// selection and open state as last read, good until any message that may change them
// reaches the box or its list (the toolkit's own item and selection changes, the user's
// input, another program's messages) or the box notifies its parent. Inside the gadget
// library; the combo kind (gadget_combo.cpp) reads through it.
#pragma once
#include <cstdint>

#include "toolkit/gadget_kind.h"

// Starts watching a new plain drop-down list (its box and its list); without room for the
// watch the gadget simply has no knowledge and every read asks the box.
void combo_state_start(GadgetRecord* record);
// Frees the knowledge (free hook).
void combo_state_end(GadgetRecord* record);
// A change the box told its parent about.
void combo_state_changed();

// Known values: the text as a string result at offset (true when known), the selection and
// the open state (-2 and -1 when not known).
bool combo_state_text(GadgetRecord* record, int32_t offset);
intptr_t combo_state_selection(GadgetRecord* record);
int32_t combo_state_open(GadgetRecord* record);
// Remember what was just read: the string result at offset, a selection, an open state.
void combo_state_learn_text(GadgetRecord* record, int32_t offset);
void combo_state_learn_selection(GadgetRecord* record, intptr_t selection);
void combo_state_learn_open(GadgetRecord* record, bool open);

// While one exists, the messages the toolkit sends to read a box count as no change.
class ComboReading {
 public:
  ComboReading();
  ~ComboReading();
  ComboReading(const ComboReading&) = delete;
  ComboReading& operator=(const ComboReading&) = delete;

 private:
  bool outer_;
};
