// Messages from other programs. Any process on the desktop can post any message to our
// windows, with parameters that are no pointers of ours. The thread's message filter drops
// posted notifications (a real one is always sent by a control of this thread), close
// commands for child windows and messages numbered like the toolkit's own events before
// any window sees them; a notification header is read without trusting its address; and
// only a drop block that the pump handed out itself and still records is ever taken or
// freed.
// Win32 only. Depends on user32 (a WH_GETMESSAGE hook on the main thread), kernel32 and the
// object heap. Limitation: at most kDropsWaiting drops can wait for the pump at once.
#include "runtime/runtime.h"
#include "toolkit/events.h"

namespace {

constexpr int kDropsWaiting = 16;

struct ForeignState {
  HHOOK filter;
  DropBlock* issued[kDropsWaiting];  // handed out, not yet taken by a drop message
};

ForeignState g_foreign;

bool Issued(LPARAM lParam) {
  for (DropBlock* drop : g_foreign.issued)
    if (drop && reinterpret_cast<LPARAM>(drop) == lParam) return true;
  return false;
}

// A posted message that no window of ours may see: a notification (a real one is sent), a
// close command for a child window (which has no close box, and the default would destroy
// it: a gadget, the screen's backdrop), or one numbered like a toolkit event, which would
// come out of the pump as that event, unless it is a drop carrying a block of ours.
bool Forged(const MSG& msg) {
  if (msg.message == WM_NOTIFY) return true;
  if (msg.message == WM_CLOSE) return GetWindowLongPtrA(msg.hwnd, GWL_STYLE) & WS_CHILD;
  if (msg.message < UINT(EVENT_GADGET) || msg.message > UINT(EVENT_TIMER)) return false;
  bool drop = msg.message == MESSAGE_DROP_WINDOW || msg.message == MESSAGE_DROP_GADGET;
  return !drop || !Issued(msg.lParam);
}

// Every message this thread takes from its queue passes here, whichever loop takes it.
LRESULT CALLBACK FilterPosted(int code, WPARAM removing, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && Forged(*msg)) {
    msg->message = WM_NULL;
    msg->wParam = 0;
    msg->lParam = 0;
  }
  return CallNextHookEx(g_foreign.filter, code, removing, lParam);
}

void FreeDrop(DropBlock* drop) {
  ObjectFree(drop->buffer);
  ObjectFree(drop);
}

}  // namespace

void event_foreign_start() {
  g_foreign = {};
  g_foreign.filter = SetWindowsHookExA(WH_GETMESSAGE, FilterPosted, nullptr, GetCurrentThreadId());
}

void event_foreign_end() {
  if (g_foreign.filter) UnhookWindowsHookEx(g_foreign.filter);
  for (DropBlock* drop : g_foreign.issued)
    if (drop) FreeDrop(drop);
  g_foreign = {};
}

bool event_notify_header(LPARAM lParam, NMHDR* header) {
  // Sent from another thread or process: its address means nothing here.
  if (InSendMessage()) return false;
  SIZE_T got = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(lParam), header, sizeof *header, &got) ||
      got != sizeof *header)
    return false;
  return header->hwndFrom && GetWindowThreadProcessId(header->hwndFrom, nullptr) == GetCurrentThreadId();
}

DropBlock* event_drop_new(size_t bufferSize) {
  for (DropBlock*& slot : g_foreign.issued) {
    if (slot) continue;
    auto* drop = static_cast<DropBlock*>(ObjectAlloc(sizeof(DropBlock)));
    if (!drop) return nullptr;
    drop->buffer = ObjectAlloc(bufferSize ? bufferSize : 1);
    if (!drop->buffer) {
      ObjectFree(drop);
      return nullptr;
    }
    slot = drop;
    return drop;
  }
  return nullptr;
}

DropBlock* event_drop_claim(LPARAM lParam) {
  for (DropBlock*& slot : g_foreign.issued) {
    if (reinterpret_cast<LPARAM>(slot) != lParam) continue;
    DropBlock* drop = slot;
    slot = nullptr;
    return drop;
  }
  return nullptr;
}
