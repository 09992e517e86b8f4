// Windows: numbered top-level windows, each with its own class and Tab accelerators, and
// the window procedure chain that turns messages into toolkit events (events.h).
// Win32 only. Depends on the object registry (runtime/objects.h).
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/objects.h"
#include "toolkit/message_hooks.h"

// window_open flags; any other bit is a Win32 window style passed through.
constexpr int32_t WINDOW_CENTRE_SCREEN = 1;
constexpr int32_t WINDOW_CENTRE_OWNER = 2;  // or on the thread's active window
constexpr int32_t WINDOW_TOOL = 4;
constexpr int32_t WINDOW_NO_GADGET_LIST = 8;
constexpr int32_t WINDOW_INVISIBLE = 0x10000000;

// x or y that lets the system choose the position (without a centring flag).
constexpr int32_t WINDOW_DEFAULT_POSITION = -65535;

using WindowEraseHook = LRESULT (*)(HWND hwnd, HDC dc);

// The window library's record of a window. Other modules ask through the operations below;
// only tests reach in, for the size limits that no operation sets yet.
struct WindowRecord {
  HWND hwnd;  // 0 = free slot
  ACCEL* accelerators;
  HACCEL acceleratorTable;
  WindowMessageHook messageHook;  // the window's own hook; null: the global hook applies
  int32_t acceleratorCount;
  HBRUSH background;  // custom background; 0 = the class background
  HWND mdiClient;
  WindowEraseHook eraseHook;
  uint16_t minWidth, minHeight, maxWidth, maxHeight;  // tracking limits, 0 = none
  int32_t minimisedOrMaximised;
  DWORD activatedAt;  // tick count of the window's latest activation
};

extern ObjectList* g_windowList;

void window_library_init();
void window_library_end();

// Opens a window whose client area is exactly width x height. Returns the HWND for a fixed
// number, the dynamic id for -1, 0 on failure. Re-opening a number closes the old window.
intptr_t window_open(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char* title,
                     int32_t flags, HWND owner = nullptr);
HWND window_handle(ObjectId number);
// The window's own message hook: it sees the window's messages before the toolkit does;
// CONTINUE_DEFAULT lets the toolkit go on. Null restores the global hook. Nothing for a
// number that holds no window.
void window_message_hook_set(ObjectId number, WindowMessageHook hook);
// A key of the window's shortcuts besides Tab and Shift+Tab: pressed while the window is
// active, it arrives as the menu event (EVENT_MENU) of the command. False when the number
// holds no window or the table could not be made.
bool window_shortcut_add(ObjectId number, uint16_t key, uint16_t command);
// Whether a key message may act as a shortcut of the active window: a key acts on its press
// in the window in front, so the repeats of a held key, and a key pressed before the window
// came to the front (key messages go to the window that has the focus when they are taken
// from the queue), are plain keys. Tab, the focus key, always may.
bool window_shortcut_press(HWND active, const MSG& msg);
// Destroys the window and its class; nothing for a number that holds no window.
void window_close(ObjectId number);

// The toolkit window that hwnd belongs to (hwnd itself or the first ancestor carrying
// KV_WindowID), and its number; 0 and -1 when there is none.
HWND window_top(HWND hwnd);
ObjectId window_number_of(HWND top);
// The accelerator table (Tab and Shift+Tab) of a toolkit window; 0 for any other window.
HACCEL window_accelerators(HWND window);
// Follows a WM_SIZE of the window: minimised or maximised marks it so, restored clears the
// mark. True when that restore brought the window back from minimised or maximised; false
// for a number that holds no window.
bool window_size_changed(ObjectId number, UINT kind);

// The window procedure chain, for the event library.
LRESULT window_common_handler(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The own sizing loop (window_sizing.cpp): true when it consumed the message.
bool window_sizing_message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
void window_sizing_init();
