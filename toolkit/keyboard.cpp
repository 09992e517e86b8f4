// Keyboard reader over DirectInput 7: a non-exclusive keyboard device with a 256-button data
// format, read for the screen's parent window and only while that window is in front.
// The device is acquired while the window is active and given up when it is not (the
// window's WM_ACTIVATE tells, seen through a procedure of ours in front of its own). While
// acquired, DirectInput sets an event whenever a key or the acquisition changes; a thread of
// ours waits for that event and raises a flag, so a read in a pass where nothing happened
// is one look at that flag (no call into the system) and keeps the last snapshot.
// The device cooperates at the background level and this reader keeps to the foreground
// itself: at the foreground level DirectInput watches every message the thread sends, and
// under Wine each message then costs three round trips to the server (a hundred times the
// message), which made every pass of the main loop and every refresh several times dearer.
// The Windows logo key stays disabled while the keyboard is taken (in front only), where
// the system accepts that request at this level.
// Needs the shared DirectInput object (dinput_shared), the screen library for the window.
#include "toolkit/keyboard.h"

#include <cstring>

#include "runtime/runtime.h"
#include "toolkit/dinput_shared.h"
#include "toolkit/keyboard_state.h"
#include "toolkit/screen.h"

KeyboardState g_keyboard;

namespace {

constexpr DWORD kCooperativeLevel = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
constexpr DWORD kWithoutLogoKey = kCooperativeLevel | DISCL_NOWINKEY;

bool BuildFormat() {
  if (g_keyboard.objectFormats) return true;
  auto* objects = static_cast<DIOBJECTDATAFORMAT*>(ObjectAlloc(sizeof(DIOBJECTDATAFORMAT) * kKeyCount));
  if (!objects) return false;
  for (int32_t i = 0; i < kKeyCount; ++i) {
    objects[i].pguid = &GUID_Key;
    objects[i].dwOfs = DWORD(i);
    objects[i].dwType = DIDFT_OPTIONAL | DIDFT_BUTTON | DIDFT_MAKEINSTANCE(i);
    objects[i].dwFlags = 0;
  }
  g_keyboard.objectFormats = objects;
  DIDATAFORMAT& f = g_keyboard.format;
  f.dwSize = sizeof(DIDATAFORMAT);
  f.dwObjSize = sizeof(DIOBJECTDATAFORMAT);
  f.dwFlags = DIDF_RELAXIS;
  f.dwDataSize = kKeyCount;
  f.dwNumObjs = kKeyCount;
  f.rgodf = objects;
  return true;
}

// Notes the window's activation and passes every message on unchanged.
LRESULT CALLBACK WatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && hwnd == g_keyboard.window) g_keyboard.inFront = LOWORD(wParam) != WA_INACTIVE;
  return CallWindowProcA(g_keyboard.windowProc, hwnd, message, wParam, lParam);
}

// Takes our procedure out of the watched window's chain. False when another procedure was
// put in front of ours since: ours must then stay and keep passing messages on.
bool Unwatch() {
  HWND window = g_keyboard.window;
  if (!window || !g_keyboard.windowProc || !IsWindow(window)) return true;
  if (GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(WatchProc)) return false;
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_keyboard.windowProc));
  return true;
}

// Waits for DirectInput's change event until told to stop, raising the flag for each.
DWORD WINAPI WaitForChanges(void*) {
  HANDLE events[2] = {g_keyboard.changed, g_keyboard.stop};
  while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0)
    InterlockedExchange(&g_keyboard.signalled, 1);
  return 0;
}

// The change event and its waiter; without them every read takes a snapshot.
void StartWaiter() {
  g_keyboard.changed = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  g_keyboard.stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (g_keyboard.changed && g_keyboard.stop && SUCCEEDED(g_keyboard.device->SetEventNotification(g_keyboard.changed)))
    g_keyboard.waiter = CreateThread(nullptr, 0, WaitForChanges, nullptr, 0, nullptr);
  if (g_keyboard.waiter) return;
  g_keyboard.device->SetEventNotification(nullptr);
  if (g_keyboard.changed) CloseHandle(g_keyboard.changed);
  if (g_keyboard.stop) CloseHandle(g_keyboard.stop);
  g_keyboard.changed = g_keyboard.stop = nullptr;
}

void StopWaiter() {
  if (!g_keyboard.waiter) return;
  g_keyboard.device->SetEventNotification(nullptr);
  SetEvent(g_keyboard.stop);
  WaitForSingleObject(g_keyboard.waiter, INFINITE);
  CloseHandle(g_keyboard.waiter);
  CloseHandle(g_keyboard.changed);
  CloseHandle(g_keyboard.stop);
  g_keyboard.waiter = g_keyboard.changed = g_keyboard.stop = nullptr;
}

void GiveUp() {
  if (g_keyboard.acquired) g_keyboard.device->Unacquire();
  g_keyboard.acquired = false;
  g_keyboard.phase = kKeyboardCreated;
}

// Reads the keyboard for window from now on: the device bound to it, with its change
// event, and the window's activation watched. Stays with the old window while ours cannot
// leave that window's chain.
void Bind(HWND window) {
  if (!Unwatch()) return;
  GiveUp();
  g_keyboard.window = window;
  g_keyboard.windowProc = nullptr;
  g_keyboard.inFront = window && GetForegroundWindow() == window;
  if (FAILED(g_keyboard.device->SetCooperativeLevel(window, kWithoutLogoKey)))
    g_keyboard.device->SetCooperativeLevel(window, kCooperativeLevel);
  if (!g_keyboard.waiter) StartWaiter();
  if (window)
    g_keyboard.windowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchProc)));
}

}  // namespace

int32_t keyboard_init() {
  if (g_keyboard.initialised && g_keyboard.phase != kKeyboardNoDevice) return 1;
  IDirectInput7A* directInput = directinput_acquire();
  if (g_keyboard.initialised) directinput_release();  // a retry keeps one use, not two
  g_keyboard.initialised = 1;
  if (!directInput || !BuildFormat()) return 0;
  void* device = nullptr;
  if (FAILED(directInput->CreateDeviceEx(GUID_SysKeyboard, IID_IDirectInputDevice7A, &device, nullptr)) ||
      !device)
    return 0;
  g_keyboard.device = static_cast<IDirectInputDevice7A*>(device);
  if (FAILED(g_keyboard.device->SetDataFormat(&g_keyboard.format))) {
    g_keyboard.device->Release();
    g_keyboard.device = nullptr;
    return 0;
  }
  g_keyboard.phase = kKeyboardCreated;
  return 1;
}

int32_t keyboard_read_state() {
  if (g_keyboard.phase == kKeyboardNoDevice) return 0;
  HWND window = screen_parent_window();
  if (window != g_keyboard.window) Bind(window);
  if (!g_keyboard.inFront) {
    GiveUp();
    return 0;
  }
  if (!g_keyboard.acquired) {
    // Any program can send the window an activation: the keyboard is taken only while the
    // system agrees that the window is in front.
    if (GetForegroundWindow() != window) return 0;
    if (FAILED(g_keyboard.device->Acquire())) return 0;  // tried again next pass
    g_keyboard.acquired = true;
  } else if (g_keyboard.waiter && !InterlockedExchange(&g_keyboard.signalled, 0)) {
    return g_keyboard.phase == kKeyboardReading;  // nothing changed: the snapshot stands
  }
  if (g_keyboard.device->GetDeviceState(kKeyCount, g_keyboard.snapshot) != DI_OK) {
    GiveUp();  // lost: acquired again next pass
    return 0;
  }
  g_keyboard.phase = kKeyboardReading;
  return 1;
}

int32_t key_is_down(int32_t code) {
  if (g_keyboard.phase != kKeyboardReading) return 0;
  if (code == KEY_ANY) {
    for (int32_t i = 0; i < kKeyCount - 1; ++i)
      if (g_keyboard.snapshot[i] & 0x80) return 1;
    return 0;
  }
  if (code < 0 || code >= kKeyCount) return 0;
  return g_keyboard.snapshot[code] & 0x80;
}

void keyboard_end() {
  if (!g_keyboard.initialised) return;
  if (g_keyboard.device) {
    g_keyboard.device->Unacquire();
    StopWaiter();
    g_keyboard.device->Release();
  }
  bool stays = !Unwatch();
  HWND window = g_keyboard.window;
  WNDPROC windowProc = g_keyboard.windowProc;
  ObjectFree(g_keyboard.objectFormats);
  std::memset(&g_keyboard, 0, sizeof g_keyboard);
  if (stays) {
    g_keyboard.window = window;
    g_keyboard.windowProc = windowProc;
  }
  directinput_release();
}
