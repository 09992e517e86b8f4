// Inspector: reads a running program's top-level window and its controls from outside
// (another process under the same Wine server or Windows session) and drives a few of
// them, for end-to-end tests.
// Dependencies: user32, gdi32.
// Limitations: reads only what the controls answer to the wide text and list messages;
// owner-drawn contents and Direct3D surfaces appear only in the saved pixels.
#pragma once

#include <windows.h>

#include <string>

namespace inspector {

// SendMessageW with a two-second deadline, so a hung program cannot hang the inspector;
// 0 (and *answered false) when there is no reply.
LRESULT ask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool* answered = nullptr);

std::wstring class_of(HWND hwnd);

// Text from the wide API as UTF-8, with tab, newline, carriage return and backslash
// escaped so every record stays on one tab-separated line.
std::string field(const std::wstring& text);

// First visible top-level window titled exactly `title` (any window with that title when
// none is visible) of class `cls` (any class when null); polls up to `wait_ms`.
HWND find_top_window(const std::wstring& title, const wchar_t* cls, DWORD wait_ms);

// First descendant in z order, depth first, whose control id is `id`.
HWND find_control(HWND top, int id);

// One "window" record for the top window, then one "control" record per descendant.
void describe(HWND top);

// The client area's pixels as a 24-bit bottom-up BMP; false on any failure.
bool save_client(HWND top, const std::wstring& path);

// Actions; false when the target refuses or the message cannot be delivered.
bool click(HWND control);
bool select_item(HWND control, int index);
bool close_dialog(HWND dialog);
// WM_DEVICECHANGE as the system sends it to every top-level window: nodes changed without
// data, arrival and removal with a device-interface broadcast header.
bool device_change(HWND top, WPARAM event);

// Watches, polling every millisecond up to `wait_ms`: each prints "armed" with the wall
// clock in microseconds since 1970 when it starts and "seen" with the moment the awaited
// state first showed; false when it did not show in time. watch_text waits for control
// `id` of the window titled `title` (which may not exist yet) to read exactly `text`;
// watch_pixel for the client pixel (x, y) of `top` to differ from its colour at the start.
bool watch_text(const std::wstring& title, int id, const std::wstring& text, DWORD wait_ms);
bool watch_pixel(HWND top, int x, int y, DWORD wait_ms);

}  // namespace inspector
