// The current gadget list: the window that receives new gadgets (gadget_stack.cpp).
// Win32 only. Depends on the gadget state (gadget_kind.h), not on the gadgets themselves,
// so the window library can make each new window the current list.
#pragma once
#include <windows.h>

// Makes window the current gadget list and returns the previous one; with window 0 it only
// reports the current one.
HWND gadget_list_use(HWND window);
