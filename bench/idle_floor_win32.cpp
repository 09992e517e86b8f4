// Idle floor: what a Win32 program that keeps one window and wakes every 10 ms costs on
// this platform when it does nothing else. Each pass fetches at most one message without
// waiting and sleeps 10 ms at a 1 ms timer period, as the program's loop does; the
// keyboard snapshot, the controller poll and the readout are left out. scripts/bench runs
// it beside vellomir.exe to tell the platform's share of the idle cost from the program's.
// Dependencies: user32, winmm. Limitations: ends by itself after the seconds given as its
// argument (default 15).
#include <windows.h>

#include <mmsystem.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "IdleFloor";
  RegisterClassA(&wc);
  // Beside the program's window, and without taking the foreground from it.
  HWND window = CreateWindowA("IdleFloor", "Idle floor", WS_OVERLAPPED, 700, 0, 200, 100, nullptr, nullptr,
                              instance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  const int seconds = args && *args ? std::atoi(args) : 15;
  const ULONGLONG end = GetTickCount64() + ULONGLONG(seconds > 0 ? seconds : 15) * 1000;
  while (GetTickCount64() < end) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    timeBeginPeriod(1);
    Sleep(10);
    timeEndPeriod(1);
  }
  DestroyWindow(window);
  return 0;
}
