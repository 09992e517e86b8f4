// Message hooks and the results by which window handlers and hooks pass a message on:
// NOT_HANDLED leaves it to default processing, CONTINUE_DEFAULT lets the toolkit's own
// handling go on. Win32 only. Every toolkit module may use them; this header depends on
// nothing else.
#pragma once
#include <windows.h>

constexpr LRESULT NOT_HANDLED = 0xD0D0D0D1;
constexpr LRESULT CONTINUE_DEFAULT = 0xE0E0E0E1;

// A hook that sees a window's messages before the toolkit does; CONTINUE_DEFAULT lets the
// toolkit go on.
using WindowMessageHook = LRESULT (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
