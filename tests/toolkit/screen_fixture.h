// Shared by the windowed-screen tests: a plain resizable window to open screens on, the
// message pump, a look at the back buffer, and a fixture that tears everything down.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/runtime/runtime_fixture.h"
#include "toolkit/screen.h"
#include "toolkit/screen_state.h"

inline int g_sizeMessages;

inline LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) ++g_sizeMessages;
  return DefWindowProcA(window, message, wParam, lParam);
}

inline void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

inline HWND OpenPlainWindow(int width, int height) {
  WNDCLASSA type{};
  type.lpfnWndProc = CountingProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "ScreenTestWindow";
  RegisterClassA(&type);
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExA(0, "ScreenTestWindow", "screen test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  Pump();
  return window;
}

// The first pixel of the back buffer as 0x00RRGGBB.
inline uint32_t BackBufferPixel() {
  D3DLOCKED_RECT locked{};
  if (!g_screen.backBuffer || FAILED(g_screen.backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
    return 0xFFFFFFFF;
  uint32_t pixel = *static_cast<uint32_t*>(locked.pBits) & 0xFFFFFF;
  g_screen.backBuffer->UnlockRect();
  return pixel;
}

inline bool Direct3DDisabled() { return std::getenv("VLMR_D3D9_DISABLED") != nullptr; }

// The run without d3d9.dll skips the cases that need a device. Under Wine the screen makes
// no device unless asked to (VLMR_DIRECT3D); these cases ask for one.
#define REQUIRE_DIRECT3D()                                           \
  do {                                                               \
    if (Direct3DDisabled()) GTEST_SKIP() << "run without d3d9.dll"; \
    ASSERT_EQ(screen_library_init(), 1);                             \
    g_screen.childPresents = 1; /* exercise the device under Wine */ \
  } while (0)

class ScreenTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    g_sizeMessages = 0;
  }
  void TearDown() override {
    if (window) DestroyWindow(window);
    Pump();
    RuntimeTest::TearDown();
  }
  HWND window = nullptr;
};
