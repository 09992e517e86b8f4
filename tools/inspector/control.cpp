// Inspector lookups and actions: finding the top window, a control by id or a dialog by
// title, and pressing buttons, choosing list items and reporting device changes the way a
// user or the system would.
// Dependencies: user32.
// Limitations: clicks are posted, so they take effect when the program next pumps messages.
#include "tools/inspector/actions.h"

#include <dbt.h>

namespace inspector {
namespace {

constexpr UINT kReplyMs = 2000;

struct Search {
  const std::wstring* title;
  const wchar_t* cls;
  HWND visible = nullptr;
  HWND any = nullptr;
};

BOOL CALLBACK match_top(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  if (*s->title != text) return TRUE;
  if (s->cls && class_of(hwnd) != s->cls) return TRUE;
  if (!s->any) s->any = hwnd;
  if (IsWindowVisible(hwnd)) {
    s->visible = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

LRESULT ask(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool* answered) {
  DWORD_PTR result = 0;
  const bool ok = SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kReplyMs, &result) != 0;
  if (answered) *answered = ok;
  return ok ? static_cast<LRESULT>(result) : 0;
}

std::wstring class_of(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

HWND find_top_window(const std::wstring& title, const wchar_t* cls, DWORD wait_ms) {
  const ULONGLONG deadline = GetTickCount64() + wait_ms;
  for (;;) {
    Search s{&title, cls};
    EnumWindows(match_top, reinterpret_cast<LPARAM>(&s));
    if (s.visible) return s.visible;
    if (GetTickCount64() >= deadline) return s.any;
    Sleep(100);
  }
}

HWND find_control(HWND top, int id) {
  for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND inner = find_control(child, id)) return inner;
  }
  return nullptr;
}

bool click(HWND control) {
  return PostMessageW(control, BM_CLICK, 0, 0) != 0;
}

// The selection a user makes: the list changes, then the parent hears CBN_SELCHANGE or
// LBN_SELCHANGE from it, sent the way the control itself sends it.
bool select_item(HWND control, int index) {
  const std::wstring cls = class_of(control);
  const bool combo = lstrcmpiW(cls.c_str(), L"ComboBox") == 0;
  if (!combo && lstrcmpiW(cls.c_str(), L"ListBox") != 0) return false;
  bool ok = false;
  const LRESULT r =
      ask(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0, &ok);
  if (!ok || r != index) return false;
  const WORD code = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
  const WPARAM wp = MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code);
  ask(GetParent(control), WM_COMMAND, wp, reinterpret_cast<LPARAM>(control), &ok);
  return ok;
}

// Press the dialog's OK button, or send it IDOK when it has none.
bool close_dialog(HWND dialog) {
  if (HWND ok_button = GetDlgItem(dialog, IDOK)) return click(ok_button);
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) != 0;
}

bool device_change(HWND top, WPARAM event) {
  DEV_BROADCAST_DEVICEINTERFACE_W device{};
  device.dbcc_size = sizeof device;
  device.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  const bool withData = event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE;
  bool answered = false;
  ask(top, WM_DEVICECHANGE, event, withData ? reinterpret_cast<LPARAM>(&device) : 0, &answered);
  return answered;
}

}  // namespace inspector
