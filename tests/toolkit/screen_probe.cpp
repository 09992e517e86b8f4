// Probe for the screen and keyboard scripts: a 620 x 300 window ("Vellomir probe") with the
// screen cleared to grey and one button on it, a second window ("Vellomir other") to take
// the focus away, and a log of what the keyboard reader sees, pass by pass and when an
// Escape press's message is taken.
//   screen_probe.exe LOGFILE STOPFILE   runs until STOPFILE exists (at most two minutes)
#include <windows.h>

#include <cstdio>

#include "app/library_order.h"
#include "runtime/strings.h"
#include "runtime/utils.h"
#include "toolkit/joystick.h"
#include "toolkit/keyboard.h"
#include "toolkit/screen.h"

namespace {

FILE* g_log;

void Log(const char* format, int a = 0, int b = 0, int c = 0, int d = 0) {
  std::fprintf(g_log, format, a, b, c, d);
  std::fputc('\n', g_log);
  std::fflush(g_log);
}

HWND OpenWindow(const char* title, int x, int width, int height) {
  RECT frame{0, 0, width, height};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE;
  AdjustWindowRect(&frame, style, FALSE);
  return CreateWindowExA(0, "ProbeWindow", title, style, x, 0, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// As the toolkit's pump does, a key's message makes the keyboard reader look again; for the
// first message of an Escape press the probe reads at once and logs what the snapshot says.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) keyboard_look_again();
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && !(message.lParam & (1 << 30))) {
      int read = keyboard_read_state();
      Log("escape message read=%d escape=%d", read, key_is_down(KEY_ESCAPE) ? 1 : 0);
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  g_log = std::fopen(argv[1], "wb");  // plain \n lines for the scripts
  if (!g_log) return 2;

  StartRuntime(LibraryOrder());
  int screen = screen_library_init();
  int joysticks = joystick_open_all();
  int keyboard = keyboard_init();

  WNDCLASSA type{};
  type.lpfnWndProc = DefWindowProcA;
  type.hInstance = GetModuleHandleA(nullptr);
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  type.lpszClassName = "ProbeWindow";
  RegisterClassA(&type);
  HWND window = OpenWindow("Vellomir probe", 0, 620, 300);
  int open = screen_open_windowed(window, 0, 0, 620, 300, 1, 0, 0);
  screen_clear(PackColour(155, 155, 155));
  CreateWindowExA(0, "BUTTON", "Beenden", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 515, 205, 98, 22, window, nullptr,
                  GetModuleHandleA(nullptr), nullptr);
  HWND other = OpenWindow("Vellomir other", 700, 200, 100);
  SetForegroundWindow(window);

  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  Log("client %d %d", origin.x, origin.y);
  Log("init screen=%d open=%d keyboard=%d joysticks=%d", screen, open, keyboard, joysticks);
  Log("before-read escape=%d", key_is_down(KEY_ESCAPE));

  int lastRead = -1, lastEscape = -1, lastFront = -1;
  for (int pass = 0; pass < 12000; ++pass) {
    Pump();
    int read = keyboard_read_state();
    int escape = key_is_down(KEY_ESCAPE) ? 1 : 0;
    HWND foreground = GetForegroundWindow();
    int front = foreground == window ? 1 : foreground == other ? 2 : 0;
    if (front != lastFront) Log(front == 1 ? "front probe" : front == 2 ? "front other" : "front none");
    lastFront = front;
    if (read != lastRead) Log("read %d", read);
    if (escape != lastEscape) Log("escape %d", escape);
    lastRead = read;
    lastEscape = escape;
    if (GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES) break;
    SleepMilliseconds(10);
  }
  EndRuntime(LibraryOrder());
  EndRuntimeHeap();
  Log("end");
  std::fclose(g_log);
  return 0;
}
