// Event pump: one platform message or one queued toolkit event per step, turned into an
// event code with its object (gadget, window, command, timer) and data.
// Win32 only. Depends on the block pool (runtime/blockpool.h) and the window library.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/objects.h"
#include "toolkit/message_hooks.h"

// Event codes. Window codes reuse the numbers of the messages they come from; any other
// message comes back as its own number.
constexpr int32_t EVENT_WINDOW_MOVED = 3;
constexpr int32_t EVENT_WINDOW_RESIZED = 5;
constexpr int32_t EVENT_REPAINTED = 15;
constexpr int32_t EVENT_CLOSE_REQUESTED = 16;
constexpr int32_t EVENT_GADGET = 13100;
constexpr int32_t EVENT_MENU = 13101;
constexpr int32_t EVENT_TRAY = 13102;
constexpr int32_t EVENT_ACTIVATED = 13104;
constexpr int32_t EVENT_DROP_WINDOW = 13105;
constexpr int32_t EVENT_DROP_GADGET = 13106;
constexpr int32_t EVENT_MINIMISED = 13107;
constexpr int32_t EVENT_MAXIMISED = 13108;
constexpr int32_t EVENT_RESTORED = 13109;
constexpr int32_t EVENT_TIMER = 13110;

// Gadget event types (the data of EVENT_GADGET). Kinds without their own message hook pass
// the control's notification code instead (BN_CLICKED = 0, EN_CHANGE = 768, ...).
constexpr int32_t GADGET_LEFT_CLICK = 0;
constexpr int32_t GADGET_RIGHT_CLICK = 1;
constexpr int32_t GADGET_LEFT_DOUBLE_CLICK = 2;
constexpr int32_t GADGET_RIGHT_DOUBLE_CLICK = 3;
constexpr int32_t GADGET_FOCUS_GAINED = 14000;
constexpr int32_t GADGET_FOCUS_LOST = 14001;
constexpr int32_t GADGET_DRAG_STARTED = 14002;

// Accelerator commands of every toolkit window (Tab, Shift+Tab).
constexpr int32_t COMMAND_FOCUS_NEXT = 64001;
constexpr int32_t COMMAND_FOCUS_PREVIOUS = 64002;

// Private messages: tray clicks, drops, and the gadget hook message.
constexpr UINT MESSAGE_TRAY = 12501;
constexpr UINT MESSAGE_DROP_WINDOW = 13105;
constexpr UINT MESSAGE_DROP_GADGET = 13106;
constexpr UINT MESSAGE_GADGET_HOOK = 13120;

// The drop block handed over by a drop message: freed at the next pump step.
// Only blocks from event_drop_new are drops.
struct DropBlock {
  void* buffer;  // inner heap buffer (objectHeap)
};

struct EventSnapshot {
  ObjectId object;
  ObjectId window;
  int32_t data;
  int32_t pending;
  WPARAM wParam;
  LPARAM lParam;
};

struct EventState {
  ObjectId object;  // gadget, command, timer or window of the current event
  ObjectId window;  // -1 when the message's window is no toolkit window
  int32_t data;
  int32_t pending;  // code set by a window procedure during dispatch
  WPARAM wParam;
  LPARAM lParam;
  EventSnapshot snapshot;  // what the accessors report
  WindowMessageHook globalHook;
  DropBlock* drop;
};

extern EventState* g_events;

// The event queue (start-up step "event queue") and the event state (made by the window
// library's initialiser).
void event_library_init();
void event_state_init();

// Frees the block of the last drop (the pump's first step, and the window library's end).
void event_drop_free();

// Guards against messages other programs post (events_foreign.cpp). Start installs the
// thread's message filter; end removes it and frees the drop blocks never delivered.
void event_foreign_start();
void event_foreign_end();
// True when lParam holds a readable notification header sent by a window of this thread;
// the header is copied out.
bool event_notify_header(LPARAM lParam, NMHDR* header);
// A drop block with a zeroed inner buffer, for a drop target of this process to post with
// MESSAGE_DROP_WINDOW or MESSAGE_DROP_GADGET; 0 when the heap refuses or too many wait.
DropBlock* event_drop_new(size_t bufferSize);
// The recorded drop block that lParam names, now no longer recorded; 0 for any other value.
DropBlock* event_drop_claim(LPARAM lParam);

// One step: a queued event, else at most one message. timeout -1 waits without limit, 0
// returns at once, > 0 waits up to that many milliseconds. 0 when nothing came.
int32_t event_pump(int32_t timeout);
int32_t event_poll();
// The object of the last returned event that carried one (the gadget of a gadget event).
ObjectId event_gadget();
// The data (gadget event type) and the window number of the last returned event.
int32_t event_type();
ObjectId event_window();

// Appends an event unless it equals the newest queued one.
void event_post(int32_t type, ObjectId object, ObjectId window, int32_t data);
// Queues a gadget event for a toolkit control.
void gadget_event_post(HWND control, int32_t type);

// The accelerator table the pump translates with, or 0.
HACCEL accelerator_for(HWND active);
// Moves the focus to the next (or previous) tab stop of the active window, wrapping.
void focus_step(bool backward);

// For the common window handler: the global hook, for windows without a hook of their own
// (null when there is none; no operation sets it yet), and the toolkit window of the
// message being handled (-1 for none), which the events it makes carry.
WindowMessageHook event_global_hook();
void event_window_set(ObjectId window);
// The event side of the common window handler, after the window side: turns the message
// into events; NOT_HANDLED for default processing (and for everything without event state).
LRESULT event_window_message(HWND hwnd, HWND top, ObjectId window, UINT message, WPARAM wParam, LPARAM lParam);
