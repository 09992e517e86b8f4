// Where a refresh's time goes on this platform. The program's window is rebuilt as far as a
// refresh touches it (20 held value fields, the picture gadget, the backdrop, the keyboard
// read in front), then the readout is refreshed between the two states scripts/bench's
// writer uses (every button lit, the hat on two diagonals, the axes at their two ends, so
// 5 of the 20 texts change), each step timed; once more with the buttons flipping too (the
// design's 17 texts change); how many messages a refresh sends; what a few operations of a
// pass and of a refresh cost on their own; a redraw of the Stick-Test window beside it; and
// the first refreshes again with the keyboard given back (no DirectInput watch on the
// messages the thread sends).
//   refresh_bench.exe [REFRESHES, default 400]
// Prints "name microseconds" lines: mean wall time per refresh (or per call, "call.*").
// Needs gfx/vlmr.png in the working directory and one controller (the stand-in winmm with
// its state file, as scripts/bench sets it up).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "app/axes.h"
#include "app/controller.h"
#include "app/library_order.h"
#include "app/numbers.h"
#include "app/overlay_win32.h"
#include "app/picture_file_win32.h"
#include "app/readout_win32.h"
#include "app/state.h"
#include "app/stick_test_win32.h"
#include "graphics/decoder.h"
#include "graphics/drawing.h"
#include "graphics/image.h"
#include "runtime/strings.h"
#include "runtime/utils.h"
#include "toolkit/font.h"
#include "toolkit/gadget.h"
#include "toolkit/keyboard.h"
#include "toolkit/screen.h"
#include "toolkit/window.h"

namespace {

double g_tick;  // microseconds per performance-counter tick

double Now() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) * g_tick;
}

enum Step { kTexts, kPatches, kHandOver, kRepaint, kReset, kSteps };
const char* const kStepNames[kSteps] = {"texts", "patches", "handover", "repaint", "reset"};

struct Timer {
  double sum[kSteps] = {};
  template <class F>
  void Run(Step step, F f) {
    double t0 = Now();
    f();
    sum[step] += Now() - t0;
  }
};

// CPU time of this process so far, user and kernel, in microseconds.
double CpuNow() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto us = [](FILETIME f) { return double((uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10; };
  return us(kernel) + us(user);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The writer's two states: axes at one end, every button, the hat on a diagonal.
void SetState(int32_t which, bool flipButtons) {
  JoyInfoEx& p = g_app.controllerPositions[0];
  uint32_t axis = which ? 65535 : 0;
  p.dwXpos = p.dwYpos = p.dwZpos = p.dwRpos = axis;
  p.dwButtons = flipButtons && which ? 0 : 4095;
  p.dwPOV = which ? 22500 : 4500;
}

// A refresh in the readout's own order, each step timed; the hand-over's three steps apart.
void TimedRefresh(Timer& t) {
  t.Run(kTexts, ShowAxisValues);
  t.Run(kPatches, DrawAxisPatches);
  t.Run(kTexts, [] { ShowButtonLines(0, 6); });
  t.Run(kPatches, DrawButtonPatches);
  t.Run(kTexts, [] { ShowButtonLines(6, 12); });
  t.Run(kTexts, ShowHatLine);
  t.Run(kPatches, DrawHatPatches);
  t.Run(kTexts, ShowExtraLines);
  t.Run(kHandOver, [] { gadget_state_set(kPictureGadget, intptr_t(image_handle(g_app.displayImage))); });
  t.Run(kRepaint, [] { UpdateWindow(window_handle(kMainWindow)); });
  t.Run(kReset, [] { image_grab(g_app.pictureImage, g_app.displayImage, 0, 0, kPictureWidth, kPictureHeight); });
}

void Report(const char* prefix, const Timer& t, int32_t refreshes, double cpu) {
  double total = 0;
  for (int s = 0; s < kSteps; ++s) {
    std::printf("%s.%s %.1f\n", prefix, kStepNames[s], t.sum[s] / refreshes);
    total += t.sum[s];
  }
  std::printf("%s.total %.1f\n%s.cpu %.1f\n", prefix, total / refreshes, prefix, cpu / refreshes);
}

// The patches' own overheads, apart from what they draw: 19 scratch images made as a
// refresh with every patch makes them, and 19 drawings opened and closed.
void TimePatchParts(int32_t refreshes) {
  double scratch = 0, drawings = 0;
  for (int32_t r = 0; r < refreshes; ++r) {
    double t0 = Now();
    for (int32_t i = 0; i < 19; ++i) {
      int32_t width = i < 4 ? 40 : 20;
      image_free(g_app.scratchImage);
      image_create(g_app.scratchImage, width, 20, 24);
      image_grab(g_app.pictureImage, g_app.scratchImage, 300 + 10 * i, 20, width, 20);
    }
    double t1 = Now();
    for (int32_t i = 0; i < 19; ++i) {
      drawing_start(image_output(g_app.displayImage));
      drawing_stop();
    }
    drawings += Now() - t1;
    scratch += t1 - t0;
  }
  std::printf("patches.scratch %.1f\npatches.drawings %.1f\n", scratch / refreshes, drawings / refreshes);
}

// The messages a refresh sends (each one a round of the thread's hooks), counted by a hook
// of this program's own in refreshes that are not timed.
int32_t g_sent;
LRESULT CALLBACK CountSent(int code, WPARAM wParam, LPARAM lParam) {
  ++g_sent;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CountSentMessages(int32_t refreshes) {
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountSent, nullptr, GetCurrentThreadId());
  Timer t;
  g_sent = 0;
  for (int32_t r = 0; r < refreshes; ++r) {
    SetState(r % 2, false);
    TimedRefresh(t);
    Pump();
  }
  UnhookWindowsHookEx(hook);
  std::printf("refresh.sent %.1f\n", double(g_sent) / refreshes);
}

// The Stick-Test open beside the window: each pass with new readings redraws both plots
// and their texts once (the stick between the writer's two states, so trail and outline
// grow as they would).
void TimeStickTest(int32_t redraws) {
  StickTestOpen();
  for (int32_t i = 0; i < 20; ++i) {
    Pump();
    Sleep(10);
  }
  SetForegroundWindow(window_handle(kMainWindow));
  Pump();
  double wall = 0, cpu = CpuNow();
  for (int32_t r = 0; r < redraws; ++r) {
    SetState(r % 2, false);
    double t0 = Now();
    StickTestFollow();
    wall += Now() - t0;
    Pump();
  }
  std::printf("stick.total %.1f\nstick.cpu %.1f\n", wall / redraws, (CpuNow() - cpu) / redraws);
  StickTestClose();
  Pump();
}

template <class F>
void TimeCall(const char* name, F f) {
  constexpr int32_t kCalls = 2000;
  double t0 = Now();
  for (int32_t i = 0; i < kCalls; ++i) f();
  std::printf("call.%s %.2f\n", name, (Now() - t0) / kCalls);
}

// Refreshes between the writer's two states (with every text changing too when flip is set),
// each step timed, reported under name.
void TimeRefreshes(const char* name, int32_t refreshes, bool flip) {
  Timer t;
  double cpu = CpuNow();
  for (int32_t r = 0; r < refreshes; ++r) {
    SetState(r % 2, flip);
    TimedRefresh(t);
    Pump();
  }
  Report(name, t, refreshes, CpuNow() - cpu);
}

// The main window in front with the keyboard read, as the program runs.
void TakeFront() {
  HWND main = window_handle(kMainWindow);
  SetForegroundWindow(main);
  for (int32_t i = 0; i < 50; ++i) {
    Pump();
    keyboard_read_state();
    Sleep(10);
  }
  std::printf("front %d\nkeyboard %d\n", GetForegroundWindow() == main, keyboard_read_state());
}

void BuildWindow() {
  window_open(kMainWindow, 0, 0, 620, 300, "Vellomir V1.0", WINDOW_CENTRE_OWNER);
  screen_open_windowed(window_handle(kMainWindow), 0, 0, 620, 300, 1, 0, 0);
  screen_clear(PackColour(155, 155, 155));
  g_app.pictureImage = kSheetImage;
  g_app.displayImage = kDisplayImage;
  if (!LoadPictureSheet(g_app.pictureImage, "gfx/vlmr.png")) {
    std::fprintf(stderr, "no gfx/vlmr.png\n");
    std::exit(1);
  }
  image_create(g_app.displayImage, kPictureWidth, kPictureHeight, 24);
  image_grab(g_app.pictureImage, g_app.displayImage, 0, 0, kPictureWidth, kPictureHeight);
  // The value fields at the program's sizes: axes 100 wide, buttons 149, the hat line 299.
  for (ObjectId field : {1, 3, 5, 7}) edit_gadget_create(field, 200, 25 * (field / 2), 100, 20, "0", 0);
  for (int32_t k = 0; k < 12; ++k)
    edit_gadget_create(ButtonField(k), k < 6 ? 1 : 151, 150 + 25 * (k % 6), 149, 20, "", 0);
  edit_gadget_create(kHatField, 1, 100, 299, 20, "", 0);
  edit_gadget_create(kAxisUField, 1, 125, 75, 20, "", 0);
  edit_gadget_create(kAxisVField, 76, 125, 74, 20, "", 0);
  edit_gadget_create(kHighButtonsField, 151, 125, 149, 20, "", 0);
  for (ObjectId field : {1, 3, 5, 7}) edit_gadget_hold_text(field);
  for (int32_t k = 0; k < 12; ++k) edit_gadget_hold_text(ButtonField(k));
  for (ObjectId field : {kHatField, kAxisUField, kAxisVField, kHighButtonsField}) edit_gadget_hold_text(field);
  image_gadget_create(kPictureGadget, 311, 1, 300, 186, image_handle(g_app.displayImage), WS_EX_CLIENTEDGE);
  combo_gadget_create(kControllerList, 311, 204, 200, 22);
  gadget_item_add(kControllerList, 0, "Gamepad 1");
  gadget_state_set(kControllerList, 0);
  font_load(kValueFont, "Courier new", 7);
}

}  // namespace

int main(int argc, char** argv) {
  int32_t refreshes = argc > 1 ? std::atoi(argv[1]) : 400;
  if (refreshes <= 0) refreshes = 400;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  g_tick = 1e6 / double(frequency.QuadPart);

  std::memset(&g_app, 0, sizeof g_app);
  StartRuntime(LibraryOrder());
  AllocateControllerArrays();
  screen_library_init();
  keyboard_init();
  png_decoder_register();
  if (EnumerateControllers() < 1) {
    std::fprintf(stderr, "no controller\n");
    return 1;
  }
  SetDeadZoneX(0, 25);
  SetDeadZoneY(0, 25);
  SetDeadZoneZ(0, 25);
  SetDeadZoneR(0, 25);
  BuildWindow();
  TakeFront();
  HWND main = window_handle(kMainWindow);

  TimeRefreshes("refresh", refreshes, false);
  TimeRefreshes("all17", refreshes, true);
  TimePatchParts(refreshes);
  CountSentMessages(refreshes);

  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  TimeCall("message_field", [] { SendMessageA(gadget_handle(1), WM_NULL, 0, 0); });
  TimeCall("message_window", [main] { SendMessageA(main, WM_NULL, 0, 0); });
  TimeCall("property", [main] { GetPropA(main, "KV_WindowID"); });
  TimeCall("server_round_trip", [event] { WaitForSingleObject(event, 0); });
  TimeCall("keyboard_read", [] { keyboard_read_state(); });
  // What else a pass does: the drop-down's text and open state, and the controller poll
  // (apart: the poll looks at the controller at most once a millisecond).
  TimeCall("selection_read", [] {
    combo_gadget_open(kControllerList);
    int32_t start = g_temp.pos;
    gadget_text_get(kControllerList, start);
    SetTempPos(start);
    combo_gadget_open(kControllerList);
  });
  double polls = 0;
  for (int32_t i = 0; i < 200; ++i) {
    Sleep(2);
    double t0 = Now();
    PollControllers(0);
    polls += Now() - t0;
  }
  std::printf("call.controller_poll %.2f\n", polls / 200);
  CloseHandle(event);

  // The same refreshes once more with the keyboard given back: what a refresh costs without
  // DirectInput's watch on every message the thread sends.
  keyboard_end();
  TimeRefreshes("unwatched", refreshes, false);
  // The Stick-Test last, with the keyboard read again as the program reads it: under Wine,
  // once another window of the thread has been in front, giving the keyboard back no longer
  // takes DirectInput's watch off the sent messages, and the figure above would not be
  // what it says.
  keyboard_init();
  TakeFront();
  TimeStickTest(refreshes);
  EndRuntime(LibraryOrder());
  EndRuntimeHeap();
  return 0;
}
