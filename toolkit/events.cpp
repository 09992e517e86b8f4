// Event pump and queue: one queued event or one platform message per step, the events the
// window procedures make from messages, and the snapshot the accessors read.
// Depends on user32, the block pool, the window library's operations, the gadget core (a
// control's messages go to its kind) and the keyboard reader (told of every key message
// taken). Single thread: the queue and the state belong to the thread that owns the windows.
#include "toolkit/events.h"

#include "runtime/blockpool.h"
#include "runtime/runtime.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/keyboard.h"
#include "toolkit/window.h"

EventState* g_events;

namespace {

// Queued event; object and window are pointer-sized since dynamic ids are addresses.
struct QueuedEvent {
  QueuedEvent* next;
  int32_t type;
  int32_t data;
  ObjectId object;
  ObjectId window;
};

struct EventQueue {
  BlockPool* pool;
  QueuedEvent* head;  // oldest
  QueuedEvent* tail;  // newest
};

EventQueue* g_queue;

void InitQueue(void* state) {
  static_cast<EventQueue*>(state)->pool = NewBlockPool(sizeof(QueuedEvent), 16, 256);
}

bool TakeQueued(QueuedEvent* out) {
  if (!g_queue || !g_queue->head) return false;
  QueuedEvent* event = g_queue->head;
  *out = *event;
  g_queue->head = event->next;
  if (!g_queue->head) g_queue->tail = nullptr;
  ReturnBlock(g_queue->pool, event);
  return true;
}

bool GetOneMessage(int32_t timeout, MSG* msg) {
  if (timeout == -1) {
    GetMessageA(msg, nullptr, 0, 0);
    return true;
  }
  if (PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) return true;
  if (timeout == 0) return false;
  if (MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(timeout), QS_ALLINPUT) == WAIT_TIMEOUT) return false;
  return PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD);
}

void TakeSnapshot() {
  EventSnapshot& s = g_events->snapshot;
  s.object = g_events->object;
  s.window = g_events->window;
  s.data = g_events->data;
  s.pending = g_events->pending;
  s.wParam = g_events->wParam;
  s.lParam = g_events->lParam;
}

void PostSize(UINT kind, ObjectId window) {
  const bool cameBack = window_size_changed(window, kind);
  if (kind == SIZE_MINIMIZED) {
    event_post(EVENT_MINIMISED, 0, window, 0);
    return;
  }
  if (kind == SIZE_MAXIMIZED) event_post(EVENT_MAXIMISED, 0, window, 0);
  else if (cameBack) event_post(EVENT_RESTORED, 0, window, 0);
  event_post(EVENT_WINDOW_RESIZED, 0, window, 0);
}

LRESULT Command(HWND top, WPARAM wParam, LPARAM lParam) {
  if (lParam) {
    auto control = reinterpret_cast<HWND>(lParam);
    if (gadget_message_hook(control, top, WM_COMMAND, wParam, lParam) != NOT_HANDLED) return 0;
    ObjectId id = GetWindowLongPtrA(control, GWLP_ID);
    if (id == -10000) {
      g_events->pending = EVENT_MENU;
      g_events->object = LOWORD(wParam);
    } else {
      g_events->pending = EVENT_GADGET;
      g_events->object = id;
    }
    g_events->data = HIWORD(wParam);
    return 0;
  }
  if (HIWORD(wParam) && (LOWORD(wParam) == COMMAND_FOCUS_NEXT || LOWORD(wParam) == COMMAND_FOCUS_PREVIOUS)) {
    focus_step(LOWORD(wParam) == COMMAND_FOCUS_PREVIOUS);
    return 0;
  }
  g_events->pending = EVENT_MENU;
  g_events->object = LOWORD(wParam);
  return 0;
}

void TrayClick(HWND hwnd, ObjectId window, WPARAM wParam, LPARAM lParam) {
  int32_t data = -1;
  switch (lParam) {
    case WM_LBUTTONDOWN: data = 0; break;
    case WM_RBUTTONDOWN: data = 1; break;
    case WM_LBUTTONDBLCLK: data = 2; break;
    case WM_RBUTTONDBLCLK: data = 3; break;
    default: break;
  }
  if (data >= 0) event_post(EVENT_TRAY, ObjectId(wParam), window, data);
  PostMessageA(hwnd, WM_NULL, 0, 0);
}

// A drop message takes only a block that the pump handed out itself.
bool TakeDrop(LPARAM lParam) {
  DropBlock* drop = event_drop_claim(lParam);
  if (!drop) return false;
  event_drop_free();
  g_events->drop = drop;
  return true;
}

}  // namespace

void event_library_init() { g_queue = static_cast<EventQueue*>(NewLibraryState(sizeof(EventQueue), InitQueue)); }

void event_state_init() { g_events = static_cast<EventState*>(NewLibraryState(sizeof(EventState), nullptr)); }

void event_drop_free() {
  if (!g_events || !g_events->drop) return;
  ObjectFree(g_events->drop->buffer);
  ObjectFree(g_events->drop);
  g_events->drop = nullptr;
}

int32_t event_pump(int32_t timeout) {
  if (!g_events) return 0;
  event_drop_free();
  g_events->data = -1;
  g_events->pending = 0;
  int32_t code;
  QueuedEvent queued;
  if (TakeQueued(&queued)) {
    code = queued.type;
    g_events->object = queued.object;
    g_events->window = queued.window;
    g_events->data = queued.data;
    g_events->wParam = 0;
    g_events->lParam = 0;
  } else {
    MSG msg{};  // GetMessageA fills nothing when it fails
    if (!GetOneMessage(timeout, &msg)) return 0;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) keyboard_look_again();
    HWND active = GetActiveWindow();
    HACCEL table = accelerator_for(active);
    if (!table || !window_shortcut_press(active, msg) || !TranslateAcceleratorA(active, table, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (g_events->pending) {
      code = g_events->pending;
      g_events->pending = 0;
    } else {
      code = int32_t(msg.message);
      g_events->wParam = msg.wParam;
      g_events->lParam = msg.lParam;
    }
  }
  TakeSnapshot();
  return code;
}

int32_t event_poll() { return event_pump(0); }

ObjectId event_gadget() { return g_events ? g_events->snapshot.object : 0; }
int32_t event_type() { return g_events ? g_events->snapshot.data : 0; }
ObjectId event_window() { return g_events ? g_events->snapshot.window : 0; }

void event_post(int32_t type, ObjectId object, ObjectId window, int32_t data) {
  if (!g_queue || !g_queue->pool) return;
  QueuedEvent* tail = g_queue->tail;
  if (tail && tail->type == type && tail->object == object && tail->window == window && tail->data == data) return;
  auto* event = static_cast<QueuedEvent*>(TakeBlock(g_queue->pool));
  if (!event) return;
  *event = {nullptr, type, data, object, window};
  if (tail) tail->next = event;
  else g_queue->head = event;
  g_queue->tail = event;
}

void gadget_event_post(HWND control, int32_t type) {
  event_post(EVENT_GADGET, GetWindowLongPtrA(control, GWLP_ID), window_number_of(window_top(control)), type);
}

WindowMessageHook event_global_hook() { return g_events ? g_events->globalHook : nullptr; }

void event_window_set(ObjectId window) {
  if (g_events) g_events->window = window;
}

LRESULT event_window_message(HWND hwnd, HWND top, ObjectId window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_events) return NOT_HANDLED;
  switch (message) {
    case WM_MOVE:
    case WM_CLOSE:
      if (top) event_post(int32_t(message), window, window, 0);
      return 0;
    case WM_SIZE:
      if (hwnd != top) return 1;
      PostSize(UINT(wParam), window);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam)) event_post(EVENT_ACTIVATED, 0, window, 0);
      return NOT_HANDLED;
    case WM_ERASEBKGND:
      event_post(EVENT_REPAINTED, 0, window, 0);
      return NOT_HANDLED;
    case WM_COMMAND:
      return Command(top, wParam, lParam);
    case WM_TIMER:
      if (!top) return NOT_HANDLED;
      g_events->pending = EVENT_TIMER;
      g_events->object = ObjectId(wParam);
      return 0;
    case WM_NOTIFY: {
      NMHDR header;
      if (!event_notify_header(lParam, &header)) return NOT_HANDLED;
      return gadget_message_hook(header.hwndFrom, top, message, wParam, lParam);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case MESSAGE_GADGET_HOOK:
      return gadget_message_hook(reinterpret_cast<HWND>(lParam), top, message, wParam, lParam);
    case MESSAGE_TRAY:
      TrayClick(hwnd, window, wParam, lParam);
      return 0;
    case MESSAGE_DROP_WINDOW:
      if (!TakeDrop(lParam)) return NOT_HANDLED;
      g_events->pending = EVENT_DROP_WINDOW;
      return 0;
    case MESSAGE_DROP_GADGET:
      if (!TakeDrop(lParam)) return NOT_HANDLED;
      g_events->pending = EVENT_DROP_GADGET;
      g_events->object = ObjectId(wParam);
      return 0;
    default:
      return NOT_HANDLED;
  }
}
