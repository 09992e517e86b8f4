// A device that is lost, reset or refuses to present: the real device with three of its
// methods scripted. Its method table is copied and the copy's TestCooperativeLevel, Reset
// and Present entries replaced, so everything else, the real Reset and Present included,
// is the device's own. Each case checks what the user would see afterwards: a back buffer
// in the backdrop colour with the render states in place, or the GDI backdrop.
#include <vector>

#include "runtime/utils.h"
#include "tests/toolkit/screen_fixture.h"

namespace {

// Slots of IDirect3DDevice9's methods, in the interface's declared order.
constexpr int kTestCooperativeLevel = 3, kReset = 16, kPresent = 17, kDeviceMethods = 119;

using LevelFn = HRESULT(STDMETHODCALLTYPE*)(IDirect3DDevice9*);
using ResetFn = HRESULT(STDMETHODCALLTYPE*)(IDirect3DDevice9*, D3DPRESENT_PARAMETERS*);
using PresentFn = HRESULT(STDMETHODCALLTYPE*)(IDirect3DDevice9*, const RECT*, const RECT*, HWND, const RGNDATA*);

struct Script {
  std::vector<HRESULT> levels;  // TestCooperativeLevel's answers in turn, then `steady`
  HRESULT steady;
  HRESULT reset;    // D3D_OK: the device's own Reset runs
  HRESULT present;  // D3D_OK: the device's own Present runs
};

// Lives as long as the process: the device is released through the copied table.
void* g_table[kDeviceMethods];
void* const* g_original;
Script g_script;
size_t g_levelCalls;
int g_resetCalls, g_presentCalls;

HRESULT STDMETHODCALLTYPE ScriptedLevel(IDirect3DDevice9*) {
  size_t turn = g_levelCalls++;
  return turn < g_script.levels.size() ? g_script.levels[turn] : g_script.steady;
}

// After a real Reset the back buffer's contents are undefined; some drivers keep them.
// Scribbling on it makes the undefined visible on every driver.
HRESULT STDMETHODCALLTYPE ScriptedReset(IDirect3DDevice9* device, D3DPRESENT_PARAMETERS* parameters) {
  ++g_resetCalls;
  if (g_script.reset != D3D_OK) return g_script.reset;
  HRESULT result = reinterpret_cast<ResetFn>(g_original[kReset])(device, parameters);
  if (SUCCEEDED(result)) device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00FF00FF, 0.0f, 0);
  return result;
}

HRESULT STDMETHODCALLTYPE ScriptedPresent(IDirect3DDevice9* device, const RECT* source, const RECT* target,
                                          HWND window, const RGNDATA* dirty) {
  ++g_presentCalls;
  if (g_script.present != D3D_OK) return g_script.present;
  return reinterpret_cast<PresentFn>(g_original[kPresent])(device, source, target, window, dirty);
}

void HookDevice(IDirect3DDevice9* device, const Script& script) {
  auto** object = reinterpret_cast<void* const**>(device);
  g_original = *object;
  for (int i = 0; i < kDeviceMethods; ++i) g_table[i] = g_original[i];
  g_table[kTestCooperativeLevel] = reinterpret_cast<void*>(ScriptedLevel);
  g_table[kReset] = reinterpret_cast<void*>(ScriptedReset);
  g_table[kPresent] = reinterpret_cast<void*>(ScriptedPresent);
  *object = g_table;
  g_script = script;
  g_levelCalls = 0;
  g_resetCalls = g_presentCalls = 0;
}

DWORD StageState(D3DTEXTURESTAGESTATETYPE type) {
  DWORD value = 0;
  g_screen.device->GetTextureStageState(0, type, &value);
  return value;
}

DWORD SamplerState(D3DSAMPLERSTATETYPE type) {
  DWORD value = 0;
  g_screen.device->GetSamplerState(0, type, &value);
  return value;
}

DWORD RenderState(D3DRENDERSTATETYPE type) {
  DWORD value = 0;
  g_screen.device->GetRenderState(type, &value);
  return value;
}

constexpr COLORREF kGrey = RGB(155, 155, 155);

// A pixel of the child once it shows `colour`, or after two seconds whatever it shows:
// a present may reach the window from the driver's own thread a little later.
COLORREF ChildPixelOnceItIs(HWND child, COLORREF colour) {
  COLORREF pixel = CLR_INVALID;
  for (int wait = 0; wait < 200 && pixel != colour; ++wait) {
    if (wait) Sleep(10);
    HDC dc = GetDC(child);
    pixel = GetPixel(dc, 10, 10);
    ReleaseDC(child, dc);
  }
  return pixel;
}

// Paints the child black behind the screen's back, then lets it paint itself again.
void RepaintOverBlack(HWND child) {
  HDC dc = GetDC(child);
  PatBlt(dc, 0, 0, 620, 300, BLACKNESS);
  ReleaseDC(child, dc);
  InvalidateRect(child, nullptr, TRUE);
  UpdateWindow(child);
}

struct LostCase {
  const char* what;
  Script script;
  int32_t result, usable, resets, presents;
  size_t polls;  // TestCooperativeLevel calls; 0: waited until it gave up
};

const LostCase kCases[] = {
    {"lost a moment, then back", {{D3DERR_DEVICELOST, D3DERR_DEVICELOST}, D3D_OK, D3D_OK, D3D_OK}, 1, 1, 0, 1, 3},
    {"lost, then ready for a reset", {{D3DERR_DEVICELOST, D3DERR_DEVICENOTRESET}, D3D_OK, D3D_OK, D3D_OK}, 1, 1, 1, 1, 2},
    {"reset refused", {{D3DERR_DEVICENOTRESET}, D3D_OK, D3DERR_INVALIDCALL, D3D_OK}, 0, 0, 1, 0, 1},
    {"lost for good", {{}, D3DERR_DEVICELOST, D3D_OK, D3D_OK}, 0, 0, 0, 0, 0},
    {"driver fails while lost", {{D3DERR_DEVICELOST}, D3DERR_DRIVERINTERNALERROR, D3D_OK, D3D_OK}, 0, 0, 0, 0, 2},
    {"driver fails", {{}, D3DERR_DRIVERINTERNALERROR, D3D_OK, D3D_OK}, 0, 0, 0, 0, 1},
    {"present fails", {{}, D3D_OK, D3D_OK, D3DERR_DEVICELOST}, 1, 0, 0, 1, 1},
};

TEST_F(ScreenTest, ALostOrFailingDeviceLeavesTheBackdropShowing) {
  REQUIRE_DIRECT3D();
  window = OpenPlainWindow(620, 300);
  for (const LostCase& c : kCases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), 1);
    HWND child = screen_child_window();
    screen_clear(PackColour(155, 155, 155));
    Pump();
    // The first present has landed: nothing the device presented before the hook can
    // reach the window later.
    ASSERT_EQ(ChildPixelOnceItIs(child, kGrey), kGrey);
    HookDevice(g_screen.device, c.script);

    EXPECT_EQ(screen_present(), c.result);
    EXPECT_EQ(g_screen.usable, c.usable);
    EXPECT_EQ(g_resetCalls, c.resets);
    EXPECT_EQ(g_presentCalls, c.presents);
    if (c.polls)
      EXPECT_EQ(g_levelCalls, c.polls);
    else
      EXPECT_GT(g_levelCalls, 2u) << "a lost device is waited for";

    if (c.usable) {
      // Reset or not, the backdrop colour and the render states are what the open set.
      EXPECT_EQ(BackBufferPixel(), 0x9B9B9Bu);
      EXPECT_EQ(StageState(D3DTSS_COLOROP), DWORD(D3DTOP_SELECTARG1));
      EXPECT_EQ(StageState(D3DTSS_ALPHAOP), DWORD(D3DTOP_SELECTARG1));
      EXPECT_EQ(SamplerState(D3DSAMP_MAGFILTER), DWORD(D3DTEXF_POINT));
      EXPECT_EQ(SamplerState(D3DSAMP_MINFILTER), DWORD(D3DTEXF_POINT));
      EXPECT_EQ(RenderState(D3DRS_MULTISAMPLEANTIALIAS), DWORD(FALSE));
    } else {
      EXPECT_EQ(screen_present(), 1) << "a screen that gave up presents nothing, quietly";
    }
    // What the user sees at the next paint: the backdrop, presented by the device while it
    // is usable, painted by GDI once it gave up.
    RepaintOverBlack(child);
    EXPECT_EQ(ChildPixelOnceItIs(child, kGrey), kGrey);
    EXPECT_EQ(g_presentCalls, c.presents + c.usable);
    screen_close();
  }
}

// The paint that finds the device failing does not leave the child as it was: the same
// paint fills it with the backdrop.
TEST_F(ScreenTest, APaintWhosePresentFailsFillsTheBackdrop) {
  REQUIRE_DIRECT3D();
  window = OpenPlainWindow(620, 300);
  ASSERT_EQ(screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0), 1);
  HWND child = screen_child_window();
  screen_clear(PackColour(155, 155, 155));
  Pump();
  ASSERT_EQ(ChildPixelOnceItIs(child, kGrey), kGrey);
  HookDevice(g_screen.device, {{}, D3D_OK, D3D_OK, D3DERR_DEVICELOST});
  RepaintOverBlack(child);
  EXPECT_EQ(g_presentCalls, 1);
  EXPECT_EQ(g_screen.usable, 0);
  EXPECT_EQ(ChildPixelOnceItIs(child, kGrey), kGrey);
}

}  // namespace
