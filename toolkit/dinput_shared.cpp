// The shared DirectInput 7 object: created by its first user, released with its last.
// Needs DINPUT.DLL (DirectInputCreateEx), loaded at run time from the system folder.
// Limitations: one object per process; not thread-safe (all input runs on the main thread).
#include "toolkit/dinput_shared.h"

#include "runtime/runtime.h"
#include "runtime/system_library.h"

namespace {

struct DirectInputState {
  HMODULE library;
  IDirectInput7A* object;
  int32_t users;
};

DirectInputState g_directInput;

using DirectInputCreateExFn = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, void**, IUnknown*);

void Unload() {
  if (g_directInput.library) FreeLibrary(g_directInput.library);
  g_directInput.library = nullptr;
}

}  // namespace

IDirectInput7A* directinput_acquire() {
  ++g_directInput.users;
  if (g_directInput.object) return g_directInput.object;
  if (!g_directInput.library) g_directInput.library = LoadSystemLibrary("DINPUT.DLL");
  if (!g_directInput.library) return nullptr;
  auto create = reinterpret_cast<DirectInputCreateExFn>(
      reinterpret_cast<void*>(GetProcAddress(g_directInput.library, "DirectInputCreateEx")));
  void* object = nullptr;
  HINSTANCE instance = static_cast<HINSTANCE>(g_runtime.instance);
  if (!instance) instance = GetModuleHandleA(nullptr);
  if (!create || FAILED(create(instance, 0x0700, IID_IDirectInput7A, &object, nullptr)) || !object) {
    Unload();
    return nullptr;
  }
  g_directInput.object = static_cast<IDirectInput7A*>(object);
  return g_directInput.object;
}

void directinput_release() {
  if (g_directInput.users <= 0) return;
  if (--g_directInput.users > 0) return;
  if (g_directInput.object) g_directInput.object->Release();
  g_directInput.object = nullptr;
  Unload();
}

int32_t directinput_users() { return g_directInput.users; }
