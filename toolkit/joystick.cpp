// DirectInput game controllers: enumeration, the standard joystick data format (built here,
// so nothing of DINPUT.DLL is linked), X/Y range -1000..1000, acquisition.
// Needs the shared DirectInput object (dinput_shared), the object registry.
// Limitations: controllers are opened, not read; one refusing its format or range is
// skipped and the next takes its number.
#include "toolkit/joystick.h"

#include <cstddef>

#include "runtime/objects.h"
#include "toolkit/dinput_shared.h"

namespace {

struct JoystickRecord {
  IDirectInputDevice7A* device;
  DIJOYSTATE state;
};
static_assert(sizeof(DIJOYSTATE) == 80, "DirectInput joystick state layout");

struct JoystickState {
  int32_t started;  // the shared object was acquired and the list made
  ObjectList* list;
  IDirectInput7A* directInput;
  int32_t count;  // controllers opened by the enumeration under way
  DIOBJECTDATAFORMAT objects[44];
  DIDATAFORMAT format;
};

JoystickState g_joysticks;

constexpr DWORD kAnyAxis = DIDFT_OPTIONAL | DIDFT_ANYINSTANCE | DIDFT_AXIS;
constexpr DWORD kAnyPov = DIDFT_OPTIONAL | DIDFT_ANYINSTANCE | DIDFT_POV;
constexpr DWORD kAnyButton = DIDFT_OPTIONAL | DIDFT_ANYINSTANCE | DIDFT_BUTTON;

// The standard joystick format: six axes, two sliders, four hats, 32 buttons, laid out as
// DIJOYSTATE.
void BuildFormat() {
  DIOBJECTDATAFORMAT* o = g_joysticks.objects;
  const GUID* axes[6] = {&GUID_XAxis, &GUID_YAxis, &GUID_ZAxis, &GUID_RxAxis, &GUID_RyAxis, &GUID_RzAxis};
  int n = 0;
  for (int i = 0; i < 6; ++i)
    o[n++] = {axes[i], DWORD(offsetof(DIJOYSTATE, lX) + 4 * i), kAnyAxis, DIDOI_ASPECTPOSITION};
  for (int i = 0; i < 2; ++i)
    o[n++] = {&GUID_Slider, DWORD(offsetof(DIJOYSTATE, rglSlider) + 4 * i), kAnyAxis, DIDOI_ASPECTPOSITION};
  for (int i = 0; i < 4; ++i) o[n++] = {&GUID_POV, DWORD(offsetof(DIJOYSTATE, rgdwPOV) + 4 * i), kAnyPov, 0};
  for (int i = 0; i < 32; ++i) o[n++] = {nullptr, DWORD(offsetof(DIJOYSTATE, rgbButtons) + i), kAnyButton, 0};
  DIDATAFORMAT& f = g_joysticks.format;
  f.dwSize = sizeof(DIDATAFORMAT);
  f.dwObjSize = sizeof(DIOBJECTDATAFORMAT);
  f.dwFlags = DIDF_ABSAXIS;
  f.dwDataSize = sizeof(DIJOYSTATE);
  f.dwNumObjs = DWORD(n);
  f.rgodf = o;
}

void FreeJoystick(ObjectId id) {
  auto* joystick = static_cast<JoystickRecord*>(LookUpObject(g_joysticks.list, id));
  if (!joystick) return;
  joystick->device->Unacquire();
  joystick->device->Release();
  ReleaseObject(g_joysticks.list, id);
}

bool SetRange(IDirectInputDevice7A* device, DWORD offset) {
  DIPROPRANGE range{};
  range.diph.dwSize = sizeof(DIPROPRANGE);
  range.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  range.diph.dwObj = offset;
  range.diph.dwHow = DIPH_BYOFFSET;
  range.lMin = -1000;
  range.lMax = 1000;
  return SUCCEEDED(device->SetProperty(DIPROP_RANGE, &range.diph));
}

BOOL CALLBACK OpenController(LPCDIDEVICEINSTANCEA instance, void* context) {
  auto* directInput = static_cast<IDirectInput7A*>(context);
  void* created = nullptr;
  if (FAILED(directInput->CreateDeviceEx(instance->guidInstance, IID_IDirectInputDevice7A, &created, nullptr)) ||
      !created)
    return DIENUM_CONTINUE;
  auto* device = static_cast<IDirectInputDevice7A*>(created);
  auto* joystick = static_cast<JoystickRecord*>(AllocateObject(g_joysticks.list, g_joysticks.count));
  if (!joystick || FAILED(device->SetDataFormat(&g_joysticks.format)) ||
      !SetRange(device, offsetof(DIJOYSTATE, lX)) || !SetRange(device, offsetof(DIJOYSTATE, lY))) {
    device->Release();
    return DIENUM_CONTINUE;
  }
  ++g_joysticks.count;
  joystick->device = device;
  device->Acquire();
  return DIENUM_CONTINUE;
}

}  // namespace

int32_t joystick_open_all() {
  if (!g_joysticks.started) {
    g_joysticks.started = 1;
    g_joysticks.directInput = directinput_acquire();
    g_joysticks.list = NewObjectList(sizeof(JoystickRecord), 16, FreeJoystick);
    BuildFormat();
  } else {
    FreeAllObjects(g_joysticks.list);
  }
  if (!g_joysticks.directInput || !g_joysticks.list) return 0;
  g_joysticks.count = 0;
  if (FAILED(g_joysticks.directInput->EnumDevices(DIDEVTYPE_JOYSTICK, OpenController, g_joysticks.directInput,
                                                  DIEDFL_ATTACHEDONLY)))
    return 0;
  return g_joysticks.count;
}

void joystick_end() {
  if (!g_joysticks.started) return;
  FreeAllObjects(g_joysticks.list);
  DeleteObjectList(g_joysticks.list);
  g_joysticks = JoystickState{};
  directinput_release();
}
