// Inspector records: the top window and every control below it, one line each, as
// tab-separated key=value fields in UTF-8.
// Dependencies: user32.
// Limitations: a control that does not answer in time shows an empty text and list.
#include "tools/inspector/actions.h"

#include <cstdio>
#include <vector>

namespace inspector {
namespace {

std::wstring window_text(HWND hwnd) {
  const LRESULT len = ask(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (len <= 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(len) + 1);
  const LRESULT got = ask(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  return std::wstring(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

// Item `i` of a list through the pair of length and text messages of its kind.
std::wstring list_item(HWND hwnd, UINT len_msg, UINT text_msg, int i) {
  const LRESULT len = ask(hwnd, len_msg, static_cast<WPARAM>(i), 0);
  if (len <= 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(len) + 1);
  const LRESULT got =
      ask(hwnd, text_msg, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
  return std::wstring(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

std::string hex32(LONG_PTR value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(value & 0xFFFFFFFF));
  return buf;
}

void emit(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

// Count, items and selection of a combo box or list box.
std::string list_fields(HWND hwnd, const std::wstring& cls) {
  UINT count_msg, len_msg, text_msg, sel_msg;
  if (lstrcmpiW(cls.c_str(), L"ComboBox") == 0) {
    count_msg = CB_GETCOUNT, len_msg = CB_GETLBTEXTLEN, text_msg = CB_GETLBTEXT,
    sel_msg = CB_GETCURSEL;
  } else if (lstrcmpiW(cls.c_str(), L"ListBox") == 0 || lstrcmpiW(cls.c_str(), L"ComboLBox") == 0) {
    count_msg = LB_GETCOUNT, len_msg = LB_GETTEXTLEN, text_msg = LB_GETTEXT,
    sel_msg = LB_GETCURSEL;
  } else {
    return {};
  }
  const int count = static_cast<int>(ask(hwnd, count_msg, 0, 0));
  const int selected = static_cast<int>(ask(hwnd, sel_msg, 0, 0));
  std::string out = "\tcount=" + std::to_string(count < 0 ? 0 : count) +
                    "\tselected=" + std::to_string(selected);
  for (int i = 0; i < count; ++i)
    out += "\titem" + std::to_string(i) + "=" + field(list_item(hwnd, len_msg, text_msg, i));
  return out;
}

void describe_children(HWND top, HWND parent, int depth) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&r), 2);
    const std::wstring cls = class_of(child);
    std::string line = "control\tdepth=" + std::to_string(depth) +
                       "\tid=" + std::to_string(GetDlgCtrlID(child)) +
                       "\tparent_id=" + std::to_string(parent == top ? 0 : GetDlgCtrlID(parent)) +
                       "\tclass=" + field(cls) + "\tx=" + std::to_string(r.left) +
                       "\ty=" + std::to_string(r.top) + "\tw=" + std::to_string(r.right - r.left) +
                       "\th=" + std::to_string(r.bottom - r.top) +
                       "\tstyle=" + hex32(GetWindowLongPtrW(child, GWL_STYLE)) +
                       "\texstyle=" + hex32(GetWindowLongPtrW(child, GWL_EXSTYLE)) +
                       "\tvisible=" + (IsWindowVisible(child) ? "1" : "0") +
                       "\tenabled=" + (IsWindowEnabled(child) ? "1" : "0") +
                       "\ttext=" + field(window_text(child)) + list_fields(child, cls);
    emit(line);
    describe_children(top, child, depth + 1);
  }
}

}  // namespace

std::string field(const std::wstring& text) {
  std::string utf8;
  if (!text.empty()) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(n > 0 ? n : 0));
    if (n > 0)
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                          nullptr, nullptr);
  }
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

void describe(HWND top) {
  RECT wr, cr;
  GetWindowRect(top, &wr);
  GetClientRect(top, &cr);
  POINT origin = {0, 0};
  ClientToScreen(top, &origin);
  DWORD pid = 0;
  GetWindowThreadProcessId(top, &pid);
  emit("window\ttitle=" + field(window_text(top)) + "\tclass=" + field(class_of(top)) +
       "\tpid=" + std::to_string(pid) + "\tstyle=" + hex32(GetWindowLongPtrW(top, GWL_STYLE)) +
       "\texstyle=" + hex32(GetWindowLongPtrW(top, GWL_EXSTYLE)) +
       "\tx=" + std::to_string(wr.left) + "\ty=" + std::to_string(wr.top) +
       "\tw=" + std::to_string(wr.right - wr.left) + "\th=" + std::to_string(wr.bottom - wr.top) +
       "\tclient_x=" + std::to_string(origin.x) + "\tclient_y=" + std::to_string(origin.y) +
       "\tclient_w=" + std::to_string(cr.right - cr.left) +
       "\tclient_h=" + std::to_string(cr.bottom - cr.top) +
       "\tvisible=" + (IsWindowVisible(top) ? "1" : "0") + "\tfront=" + (GetForegroundWindow() == top ? "1" : "0"));
  describe_children(top, top, 1);
  std::fflush(stdout);
}

}  // namespace inspector
