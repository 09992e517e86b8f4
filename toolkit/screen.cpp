// Windowed screen: one Direct3D 9 device whose back buffer is cleared to a colour and
// presented into a STATIC child of the caller's window on every paint and resize.
// Needs d3d9.dll (loaded at run time, never linked), user32. Limitations: one screen at a
// time; windowed only; without a device the child is a GDI backdrop (screen_window.cpp).
// Under Wine it is the backdrop unless VLMR_DIRECT3D=1 asks for the device: only Wine's
// Vulkan renderer shows Direct3D output in a child window.
#include "toolkit/screen.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "runtime/runtime.h"
#include "runtime/system_library.h"
#include "toolkit/screen_state.h"

ScreenState g_screen;

namespace {

using Direct3DCreate9Fn = IDirect3D9*(WINAPI*)(UINT sdkVersion);

void ForgetDirect3D() {
  if (g_screen.direct3d) g_screen.direct3d->Release();
  g_screen.direct3d = nullptr;
  if (g_screen.library) FreeLibrary(g_screen.library);
  g_screen.library = nullptr;
}

void TakePixelFormat(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_X8R8G8B8:
      g_screen.pixelFormat = 0x40;
      g_screen.bitsPerPixel = 32;
      break;
    case D3DFMT_R5G6B5:
      g_screen.pixelFormat = 4;
      g_screen.bitsPerPixel = 16;
      break;
    case D3DFMT_X1R5G5B5:
      g_screen.pixelFormat = 2;
      g_screen.bitsPerPixel = 16;
      break;
    default:
      g_screen.pixelFormat = 0;
      g_screen.bitsPerPixel = 0;
      break;
  }
}

// The toolkit keeps red in the low byte; Direct3D wants 0x00RRGGBB.
D3DCOLOR ToDirect3DColour(int32_t colour) {
  uint32_t c = uint32_t(colour);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Wine users whose Direct3D runs on Vulkan can ask for the device with VLMR_DIRECT3D=1.
bool Direct3DAskedFor() {
  char value[4] = {};
  return GetEnvironmentVariableA("VLMR_DIRECT3D", value, sizeof value) == 1 && value[0] == '1';
}

// One line on the debug output, where a debugger or Wine's debug channel shows it.
void Report(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  OutputDebugStringA(line);
}

// Names the window the device presents into, as the device itself knows it.
void ReportDevice() {
  IDirect3DSwapChain9* chain = nullptr;
  D3DPRESENT_PARAMETERS used{};
  if (FAILED(g_screen.device->GetSwapChain(0, &chain))) return;
  chain->GetPresentParameters(&used);
  chain->Release();
  char kind[32] = {}, title[64] = {};
  GetClassNameA(used.hDeviceWindow, kind, sizeof kind);
  GetWindowTextA(GetParent(used.hDeviceWindow), title, sizeof title);
  Report("screen: Direct3D device presents into a %s child of \"%s\", back buffer %ux%u\n", kind, title,
         used.BackBufferWidth, used.BackBufferHeight);
}

// Creates the device on the child; false leaves no device behind.
bool CreateDevice() {
  if (!g_screen.direct3d) return false;
  D3DDISPLAYMODE mode{};
  if (FAILED(g_screen.direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) return false;
  D3DPRESENT_PARAMETERS& p = g_screen.parameters;
  std::memset(&p, 0, sizeof p);
  p.BackBufferWidth = UINT(g_screen.width);
  p.BackBufferHeight = UINT(g_screen.height);
  p.BackBufferFormat = mode.Format;
  p.BackBufferCount = 1;
  p.SwapEffect = D3DSWAPEFFECT_COPY;
  p.hDeviceWindow = g_screen.child;
  p.Windowed = TRUE;
  p.EnableAutoDepthStencil = FALSE;
  p.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  p.PresentationInterval = D3DPRESENT_INTERVAL_ONE;

  D3DCAPS9 caps{};
  DWORD vertexProcessing = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  if (SUCCEEDED(g_screen.direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps)) &&
      (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT))
    vertexProcessing = D3DCREATE_HARDWARE_VERTEXPROCESSING;
  if (FAILED(g_screen.direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, g_screen.child,
                                             vertexProcessing, &p, &g_screen.device))) {
    g_screen.device = nullptr;
    return false;
  }
  TakePixelFormat(p.BackBufferFormat);
  g_screen.device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &g_screen.backBuffer);
  g_screen.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 0.0f, 0);
  return true;
}

void SetRenderStates() {
  IDirect3DDevice9* d = g_screen.device;
  d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  d->SetSoftwareVertexProcessing(FALSE);
  d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
  d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
  d->SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, FALSE);
}

void ResetRenderStateCache() {
  for (int32_t& state : g_screen.renderStates) state = -1;
}

// A lost device is polled for up to 32 ms, then the screen gives up (usable 0).
bool RestoreDevice(HRESULT level) {
  if (level == D3DERR_DEVICELOST) {
    DWORD start = GetTickCount();
    for (;;) {
      Sleep(1);
      level = g_screen.device->TestCooperativeLevel();
      if (level == D3D_OK || level == D3DERR_DEVICENOTRESET) break;
      if (level == D3DERR_DRIVERINTERNALERROR || GetTickCount() - start > 32) return false;
    }
  }
  if (level != D3DERR_DEVICENOTRESET) return true;
  // Reset refuses while any default-pool resource is held, the back buffer included.
  screen_sprites_release();
  if (g_screen.backBuffer) g_screen.backBuffer->Release();
  g_screen.backBuffer = nullptr;
  if (FAILED(g_screen.device->Reset(&g_screen.parameters))) return false;
  ++g_screen.resets;
  screen_sprites_restore();
  g_screen.device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &g_screen.backBuffer);
  ResetRenderStateCache();
  // A reset leaves the back buffer undefined and every state at its default: without this
  // the backdrop would turn black until the program starts again.
  g_screen.device->Clear(0, nullptr, D3DCLEAR_TARGET, ToDirect3DColour(int32_t(g_screen.backdrop)), 0.0f, 0);
  SetRenderStates();
  return true;
}

}  // namespace

int32_t screen_library_init() {
  screen_sprites_create_list();
  if (!g_screen.hiddenWindow && !g_screen.parent) {
    g_screen.parent = screen_hidden_window_create();
    if (!g_screen.parent) return 0;
  }
  if (g_screen.initialised) return 0;
  g_screen.childPresents = RunningUnderWine() ? 0 : 1;
  g_screen.library = LoadSystemLibrary("d3d9.dll");
  if (!g_screen.library) return 0;
  auto create = reinterpret_cast<Direct3DCreate9Fn>(
      reinterpret_cast<void*>(GetProcAddress(g_screen.library, "Direct3DCreate9")));
  g_screen.direct3d = create ? create(D3D_SDK_VERSION) : nullptr;
  if (!g_screen.direct3d) {
    ForgetDirect3D();
    return 0;
  }
  UINT modes = g_screen.direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X1R5G5B5) +
               g_screen.direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5) +
               g_screen.direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8);
  if (modes == 0) {
    ForgetDirect3D();
    return 0;
  }
  if (Direct3DAskedFor()) g_screen.childPresents = 1;
  g_screen.initialised = 1;
  return 1;
}

int32_t screen_open_windowed(HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                             int32_t autoStretch, int32_t rightOffset, int32_t bottomOffset) {
  screen_close();
  if (!parent) {
    screen_sprites_free_all();
    return 0;
  }
  ResetRenderStateCache();
  g_screen.renderTarget = -1;
  g_screen.x = x;
  g_screen.y = y;
  g_screen.rightOffset = rightOffset;
  g_screen.bottomOffset = bottomOffset;
  g_screen.windowed = 1;
  g_screen.parent = parent;
  g_screen.width = width;
  g_screen.height = height;
  g_screen.screenWidth = width;
  g_screen.screenHeight = height;
  g_screen.autoStretch = autoStretch;
  g_screen.backdrop = 0;
  // A backdrop: under every sibling, and clipped by them, so it never paints over gadgets.
  g_screen.child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height,
                                   parent, nullptr, static_cast<HINSTANCE>(g_runtime.instance), nullptr);
  if (g_screen.child) SetWindowPos(g_screen.child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!g_screen.child) {
    screen_sprites_free_all();
    g_screen.windowed = 0;
    g_screen.screenWidth = g_screen.screenHeight = 0;
    return 0;
  }
  screen_fit_child();
  bool device = g_screen.childPresents && CreateDevice();
  screen_hook_parent(parent);
  if (device) {
    D3DDISPLAYMODE mode{};
    if (SUCCEEDED(g_screen.direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode)))
      g_screen.refreshRate = int32_t(mode.RefreshRate);
  } else {
    // The child stays as the backdrop; without a device there is nothing to present.
    screen_sprites_free_all();
    g_screen.screenWidth = g_screen.screenHeight = 0;
  }
  screen_hook_child(g_screen.child);
  if (device) {
    SetRenderStates();
    ReportDevice();
  }
  g_screen.presents = g_screen.failedPresents = g_screen.resets = 0;
  g_screen.open = 1;
  g_screen.usable = device ? 1 : 0;
  return device ? 1 : 0;
}

void screen_clear(int32_t colour) {
  if (!g_screen.open) return;
  g_screen.backdrop = COLORREF(colour) & 0xFFFFFF;
  if (g_screen.device)
    g_screen.device->Clear(0, nullptr, D3DCLEAR_TARGET, ToDirect3DColour(colour), 0.0f, 0);
  // A clear is shown at the child's next paint; ask for one now.
  InvalidateRect(g_screen.child, nullptr, FALSE);
}

int32_t screen_present() {
  IDirect3DDevice9* device = g_screen.device;
  if (!device) return 1;
  if (g_screen.renderTarget != -1) {
    device->SetRenderTarget(0, g_screen.backBuffer);
    g_screen.screenWidth = g_screen.width;
    g_screen.screenHeight = g_screen.height;
    g_screen.renderTarget = -1;
  }
  if (!g_screen.usable) return 1;
  HRESULT level = device->TestCooperativeLevel();
  if (level == D3DERR_DRIVERINTERNALERROR || !RestoreDevice(level)) {
    g_screen.usable = 0;
    return 0;
  }
  if (g_screen.inScene) {
    device->EndScene();
    g_screen.inScene = 0;
  }
  RECT source{0, 0, g_screen.screenWidth, g_screen.screenHeight};
  RECT target{};
  GetClientRect(g_screen.child, &target);
  g_screen.usable = device->Present(&source, &target, nullptr, nullptr) == D3D_OK ? 1 : 0;
  if (g_screen.usable)
    ++g_screen.presents;
  else
    ++g_screen.failedPresents;
  return 1;
}

void screen_close() {
  if (!g_screen.open) return;
  screen_sprites_free_all();
  if (g_screen.device) {
    Report("screen: %d presents, %d failed, %d resets\n", g_screen.presents, g_screen.failedPresents,
           g_screen.resets);
    if (g_screen.inScene) g_screen.device->EndScene();
    g_screen.inScene = 0;
    if (g_screen.backBuffer) g_screen.backBuffer->Release();
    g_screen.device->Release();
    g_screen.backBuffer = nullptr;
    g_screen.device = nullptr;
  }
  g_screen.screenWidth = g_screen.screenHeight = 0;
  g_screen.open = 0;
  g_screen.usable = 0;
  if (g_screen.windowed) {
    g_screen.windowed = 0;
    HWND child = g_screen.child;
    g_screen.child = nullptr;
    DestroyWindow(child);
    InvalidateRect(g_screen.parent, nullptr, TRUE);
  }
}

void screen_library_end() {
  screen_close();
  ForgetDirect3D();
  g_screen.initialised = 0;
  screen_sprites_delete_list();
  if (g_screen.parent == g_screen.hiddenWindow) g_screen.parent = nullptr;
  screen_hidden_window_destroy();
}

HWND screen_parent_window() { return g_screen.parent; }

HWND screen_child_window() { return g_screen.child; }
