// Win32 utilities: millisecond sleeps with a 1 ms timer period, and a modal message box
// that keeps the calling thread's other windows disabled while it is shown.
// Depends on user32 and winmm.
#include <windows.h>
#include <mmsystem.h>

#include "runtime/objects.h"
#include "runtime/utils.h"

namespace {

struct DisabledWindow {
  DWORD thread;
  HWND window;
};

ObjectNode* g_disabledWindows;

BOOL CALLBACK DisableOne(HWND window, LPARAM) {
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() && IsWindowVisible(window) &&
      IsWindowEnabled(window) && window != GetForegroundWindow()) {
    auto* node = static_cast<DisabledWindow*>(AddNode(&g_disabledWindows, sizeof(DisabledWindow)));
    // Without a node the window could never be re-enabled, so it is left enabled.
    if (node) {
      EnableWindow(window, FALSE);
      node->thread = GetCurrentThreadId();
      node->window = window;
    }
  }
  return TRUE;
}

}  // namespace

void SleepMilliseconds(int32_t milliseconds) {
  timeBeginPeriod(1);
  Sleep(DWORD(milliseconds < 0 ? 0 : milliseconds));
  timeEndPeriod(1);
}

int32_t ShowMessageBox(const char* title, const char* text, uint32_t flags) {
  EnumWindows(DisableOne, 0);
  HWND owner = GetForegroundWindow();
  DWORD process = 0;
  if (owner) GetWindowThreadProcessId(owner, &process);
  if (process != GetCurrentProcessId()) owner = nullptr;
  int result = MessageBoxA(owner, text ? text : "", title ? title : "", flags);
  ObjectNode* node = g_disabledWindows;
  while (node) {
    ObjectNode* next = node->next;
    auto* entry = static_cast<DisabledWindow*>(PayloadOf(node));
    if (entry->thread == GetCurrentThreadId()) {
      EnableWindow(entry->window, TRUE);
      RemoveNode(&g_disabledWindows, entry);
    }
    node = next;
  }
  return result;
}
