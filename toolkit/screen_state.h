// The screen library's one state record, shared by its files (device work in screen.cpp,
// window hooks and the GDI backdrop in screen_window.cpp, sprites in screen_sprites.cpp).
#pragma once
#include <windows.h>
#include <d3d9.h>

#include <cstdint>

#include "runtime/objects.h"

struct ScreenState {
  int32_t initialised;
  // Whether to make a device. Under Wine only when VLMR_DIRECT3D=1: with Wine's default GL
  // renderer a child's output never reaches the screen, and its area, gadgets on it
  // included, is clipped out of the window; there the screen stays the GDI backdrop.
  int32_t childPresents;
  HMODULE library;  // d3d9.dll
  IDirect3D9* direct3d;
  IDirect3DDevice9* device;
  IDirect3DSurface9* backBuffer;
  D3DPRESENT_PARAMETERS parameters;  // kept for Reset after a lost device
  int32_t open;    // a child stands (with a device, or as the GDI backdrop)
  int32_t usable;  // the device can be presented
  int32_t inScene;
  int32_t windowed;
  HWND parent;
  HWND child;
  HWND hiddenWindow;
  int32_t x, y, width, height;
  int32_t autoStretch, rightOffset, bottomOffset;
  int32_t screenWidth, screenHeight;
  intptr_t renderTarget;  // -1: the back buffer
  int32_t renderStates[4];
  int32_t refreshRate;
  int32_t pixelFormat, bitsPerPixel;
  COLORREF backdrop;  // the last clear colour, painted by GDI when no device presents
  int32_t presents, failedPresents, resets;  // this screen's, for the debug output
  ObjectList* sprites;
};

extern ScreenState g_screen;

// screen_window.cpp
HWND screen_hidden_window_create();
void screen_hidden_window_destroy();
void screen_fit_child();
void screen_hook_parent(HWND parent);
void screen_hook_child(HWND child);
// screen_sprites.cpp: textures live in the device's default pool and must go before a Reset.
void screen_sprites_create_list();
void screen_sprites_delete_list();
void screen_sprites_free_all();
void screen_sprites_release();
void screen_sprites_restore();
