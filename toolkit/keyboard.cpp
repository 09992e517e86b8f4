// Keyboard reader over DirectInput 7: a non-exclusive foreground keyboard device with a
// 256-button data format, acquired on the screen's parent window.
// Needs the shared DirectInput object (dinput_shared), the screen library for the window.
// Limitations: reads only while that window is the foreground window.
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
  if (g_keyboard.phase == kKeyboardCreated) {
    g_keyboard.device->SetCooperativeLevel(screen_parent_window(), kCooperativeLevel);
    g_keyboard.device->Acquire();
    g_keyboard.phase = kKeyboardReading;
  }
  if (g_keyboard.device->GetDeviceState(kKeyCount, g_keyboard.snapshot) == DI_OK) return 1;
  g_keyboard.phase = kKeyboardCreated;
  return 0;
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
    g_keyboard.device->Release();
  }
  ObjectFree(g_keyboard.objectFormats);
  std::memset(&g_keyboard, 0, sizeof g_keyboard);
  directinput_release();
}
