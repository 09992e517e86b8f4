// Windowed screen: a Direct3D 9 drawing area in a borderless child window that covers
// (part of) a window's client area. Win32 only; d3d9.dll is loaded at run time.
#pragma once
#include <windows.h>

#include <cstdint>

// Loads Direct3D 9 and makes the sprite list and the hidden base window: 1 when Direct3D is
// usable, 0 otherwise (the screen then falls back to a plain GDI backdrop).
int32_t screen_library_init();
// Opens the screen on parent at (x, y) with a width x height back buffer. With autoStretch
// the child follows the parent's client size minus the right and bottom offsets.
// 1 with a Direct3D device; 0 otherwise. Without a device (no Direct3D, it refused the
// window, or Wine, whose child windows never show Direct3D output) the child still stands
// as a GDI backdrop in the last clear colour, so the window looks the same either way;
// screen_close removes it like a real screen.
int32_t screen_open_windowed(HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                             int32_t autoStretch, int32_t rightOffset, int32_t bottomOffset);
// Clears the screen to colour (red in the low byte); does nothing while no screen is open.
void screen_clear(int32_t colour);
// Presents the back buffer into the child: 1 normally, 0 when the device is lost for good.
int32_t screen_present();
void screen_close();
void screen_library_end();

// The window the screen was last opened on (the hidden base window before that): the
// keyboard reader takes its cooperative level there.
HWND screen_parent_window();
// The child window of the open screen, 0 when closed.
HWND screen_child_window();
