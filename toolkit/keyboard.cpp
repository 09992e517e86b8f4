// Keyboard reader over DirectInput 7: a keyboard device with a 256-button data format at the
// non-exclusive foreground level without the Windows logo key, on the screen's parent
// window. The system hands the keyboard over only while that window is in front and takes it
// back when another window comes to the front, whatever messages the window is sent.
// While the keyboard is held, DirectInput sets an event whenever a key changes; a thread of
// ours waits for that event and raises a flag, so a read in a pass where nothing happened is
// one look at that flag (no call into the system) and keeps the last snapshot. Hints make
// the next read a fresh one too: a key's message taken from the queue (DirectInput sees a
// key before its message reaches the queue, as tests/toolkit/input_keyboard.sh checks, so
// the pass that handles the message reads the key, however late the waiting thread runs),
// and the window's activation messages (Wine takes the keyboard away on a deactivation
// without setting the event). Every fresh read first asks the system whether the window is
// in front.
// Needs the shared DirectInput object (dinput_shared), the screen library for the window.
#include "toolkit/keyboard.h"

#include <cstring>

#include "runtime/runtime.h"
#include "toolkit/dinput_shared.h"
#include "toolkit/keyboard_state.h"
#include "toolkit/screen.h"

KeyboardState g_keyboard;

namespace {

constexpr DWORD kCooperativeLevel = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_NOWINKEY;

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

// Waits for DirectInput's change event until told to stop, raising the flag for each.
DWORD WINAPI WaitForChanges(void*) {
  HANDLE events[2] = {g_keyboard.changed, g_keyboard.stop};
  while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0)
    InterlockedExchange(&g_keyboard.signalled, 1);
  return 0;
}

// The change event and its waiter (set while the device is not acquired, as DirectInput
// requires); without them every read takes a snapshot.
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

// The keyboard is given back; the next read sets the level and acquires again.
int32_t GiveUp() {
  if (g_keyboard.acquired) g_keyboard.device->Unacquire();
  g_keyboard.acquired = false;
  g_keyboard.phase = kKeyboardCreated;
  return 0;
}

bool Acquire(HWND window) {
  if (!g_keyboard.waiter) StartWaiter();
  if (SUCCEEDED(g_keyboard.device->SetCooperativeLevel(window, kCooperativeLevel))) g_keyboard.level = kCooperativeLevel;
  g_keyboard.window = window;
  InterlockedExchange(&g_keyboard.signalled, 0);
  g_keyboard.acquired = SUCCEEDED(g_keyboard.device->Acquire());
  return g_keyboard.acquired;
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
  if (g_keyboard.acquired && window != g_keyboard.window) GiveUp();  // the screen moved on
  if (!g_keyboard.acquired) {
    if (!Acquire(window)) return GiveUp();  // behind another window: tried again next pass
  } else if (g_keyboard.waiter && !g_keyboard.lookAgain && !InterlockedExchange(&g_keyboard.signalled, 0)) {
    return g_keyboard.phase == kKeyboardReading;  // nothing changed: the snapshot stands
  }
  g_keyboard.lookAgain = false;
  // The system takes the keyboard away when another window comes to the front; until this
  // thread has seen the switch, no key typed there is read here.
  if (GetForegroundWindow() != window) return GiveUp();
  if (g_keyboard.device->GetDeviceState(kKeyCount, g_keyboard.snapshot) != DI_OK) return GiveUp();
  g_keyboard.phase = kKeyboardReading;
  return 1;
}

void keyboard_look_again() { g_keyboard.lookAgain = true; }

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
  ObjectFree(g_keyboard.objectFormats);
  std::memset(&g_keyboard, 0, sizeof g_keyboard);
  directinput_release();
}
