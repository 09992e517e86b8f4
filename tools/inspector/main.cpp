// Inspector command line. Settings first, then the actions in the order given; with no
// action it describes the window.
//   inspector.exe [--title T] [--wait SECONDS] [ACTION...]
//     --dump                   window record and one control record per descendant
//     --exists                 exit 1 (silently) when the window is not there
//     --save-client F.bmp      client area pixels as a 24-bit BMP
//     --click ID               post BM_CLICK to the control with that id
//     --select ID INDEX        choose item INDEX of a combo box or list box, as a user does
//     --device-change WPARAM   send the window WM_DEVICECHANGE as the system does when
//                              devices come and go: 7 nodes changed, 32768 arrival,
//                              32772 removal (these two with a device-interface header)
//     --close-messagebox T     describe the dialog titled T and press its OK button
//     --watch ID TEXT          wait (up to --wait, 10 s when 0) until control ID reads TEXT;
//                              the window need not exist yet; prints "armed" and "seen"
//                              lines with the wall clock in microseconds since 1970
//     --watch-pixel X Y        likewise, until the client pixel (X, Y) changes colour
// Exit codes: 0 done, 1 window or dialog not found or a watch timed out, 2 bad command
// line, 3 action failed.
// Dependencies: user32, gdi32 (through the other inspector files).
// Limitations: one top window per run: the first visible one with the title.
#include "tools/inspector/actions.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kWatchMs = 10000;

struct Action {
  std::wstring name;
  std::vector<std::wstring> args;
};

int usage(const wchar_t* why) {
  std::fwprintf(stderr, L"inspector: %ls\n", why);
  std::fwprintf(stderr,
                L"usage: inspector.exe [--title T] [--wait SECONDS] [--dump] [--exists]\n"
                L"       [--save-client F.bmp] [--click ID] [--select ID INDEX]\n"
                L"       [--device-change WPARAM]\n"
                L"       [--close-messagebox TITLE] [--watch ID TEXT] [--watch-pixel X Y]\n");
  return 2;
}

bool to_int(const std::wstring& text, int* out) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  const long v = std::wcstol(text.c_str(), &end, 10);
  if (*end != L'\0' || v < -0x7FFFFFFFL || v > 0x7FFFFFFFL) return false;
  *out = static_cast<int>(v);
  return true;
}

int fail(int code, const std::wstring& what) {
  std::fwprintf(stderr, L"inspector: %ls\n", what.c_str());
  return code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::wstring title = L"Vellomir V1.0";
  int wait_s = 0;
  std::vector<Action> actions;

  for (int i = 1; i < argc; ++i) {
    const std::wstring opt = argv[i];
    const int arity = (opt == L"--select" || opt == L"--watch" || opt == L"--watch-pixel") ? 2
                      : (opt == L"--title" || opt == L"--wait" || opt == L"--save-client" ||
                         opt == L"--click" || opt == L"--close-messagebox" || opt == L"--device-change")
                          ? 1
                      : (opt == L"--dump" || opt == L"--exists") ? 0
                                                                 : -1;
    if (arity < 0) return usage((L"unknown option " + opt).c_str());
    if (i + arity >= argc) return usage((opt + L" needs a value").c_str());
    std::vector<std::wstring> args(argv + i + 1, argv + i + 1 + arity);
    i += arity;
    if (opt == L"--title") {
      title = args[0];
    } else if (opt == L"--wait") {
      if (!to_int(args[0], &wait_s) || wait_s < 0) return usage(L"--wait needs seconds");
    } else {
      actions.push_back({opt, args});
    }
  }
  if (actions.empty()) actions.push_back({L"--dump", {}});

  const DWORD wait_ms = static_cast<DWORD>(wait_s) * 1000;
  HWND top = nullptr;
  for (const Action& a : actions) {
    if (a.name == L"--close-messagebox") {
      HWND dialog = inspector::find_top_window(a.args[0], L"#32770", wait_ms);
      if (!dialog) return fail(1, L"no dialog titled " + a.args[0]);
      inspector::describe(dialog);
      if (!inspector::close_dialog(dialog)) return fail(3, L"could not press OK");
      continue;
    }
    if (a.name == L"--watch") {
      int id = 0;
      if (!to_int(a.args[0], &id)) return usage(L"control ids are numbers");
      if (!inspector::watch_text(title, id, a.args[1], wait_ms ? wait_ms : kWatchMs))
        return fail(1, L"control " + a.args[0] + L" never read " + a.args[1]);
      continue;
    }
    if (!top) top = inspector::find_top_window(title, nullptr, wait_ms);
    if (!top) return a.name == L"--exists" ? 1 : fail(1, L"no window titled " + title);

    if (a.name == L"--dump") {
      inspector::describe(top);
    } else if (a.name == L"--save-client") {
      if (!inspector::save_client(top, a.args[0])) return fail(3, L"could not save " + a.args[0]);
    } else if (a.name == L"--click" || a.name == L"--select") {
      int id = 0, index = 0;
      if (!to_int(a.args[0], &id)) return usage(L"control ids are numbers");
      if (a.name == L"--select" && !to_int(a.args[1], &index)) return usage(L"bad item index");
      HWND control = inspector::find_control(top, id);
      if (!control) return fail(3, L"no control with id " + a.args[0]);
      const bool ok = a.name == L"--click" ? inspector::click(control)
                                           : inspector::select_item(control, index);
      if (!ok) return fail(3, a.name + L" " + a.args[0] + L" was refused");
    } else if (a.name == L"--device-change") {
      int event = 0;
      if (!to_int(a.args[0], &event)) return usage(L"--device-change needs a number");
      if (!inspector::device_change(top, static_cast<WPARAM>(event)))
        return fail(3, L"the window did not take the device change");
    } else if (a.name == L"--watch-pixel") {
      int x = 0, y = 0;
      if (!to_int(a.args[0], &x) || !to_int(a.args[1], &y)) return usage(L"bad pixel position");
      if (!inspector::watch_pixel(top, x, y, wait_ms ? wait_ms : kWatchMs))
        return fail(1, L"pixel " + a.args[0] + L"," + a.args[1] + L" did not change");
    }
  }
  return 0;
}
