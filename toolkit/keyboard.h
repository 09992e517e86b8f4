// Keyboard reader: a 256-key snapshot of the whole keyboard through DirectInput, taken once
// per pass of the main loop, readable only while the screen's parent window is in front.
// Win32 only; DINPUT.DLL is loaded at run time.
#pragma once
#include <cstdint>

constexpr int32_t KEY_ESCAPE = 1;  // DirectInput key code of Escape
constexpr int32_t KEY_F2 = 0x3C;   // and of F2
constexpr int32_t KEY_ANY = -1;

// 1 when the keyboard device is ready (non-zero when it already was), 0 on failure.
int32_t keyboard_init();
// Takes a fresh snapshot: 1 when read, 0 otherwise (for example with the window behind
// another one; the next call then acquires the keyboard again). Between changes the last
// snapshot stands and the call costs next to nothing.
int32_t keyboard_read_state();
// Tells the reader that something may have changed the keys or who holds the keyboard (a
// key's message taken from the queue, the window activated or deactivated): the next read
// takes a fresh snapshot, whether or not DirectInput has signalled a change. A hint only:
// whether the window is in front is asked of the system, never taken from a message.
void keyboard_look_again();
// 0x80 when the key was down in the last snapshot, 0 otherwise; KEY_ANY answers 1 when any
// code 0..254 was down. 0 for every key until a snapshot has been read.
int32_t key_is_down(int32_t code);
void keyboard_end();
