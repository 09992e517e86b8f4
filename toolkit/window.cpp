// Windows: open, close and look up numbered top-level windows, one class each, and the
// window side of the common handler (focus keeping, background, size limits).
// The toolkit knows its windows from a table of the process (window handle to number) kept
// beside their "KV_WindowID" properties: the window procedure finds a message's window
// there, with no property look-up (a round trip to the Wine server) per message.
// The window owns its record: other modules ask through the operations of window.h.
// Depends on user32, ole32 (RevokeDragDrop), the object registry, the handle tables, the
// event library (the event side of the handler) and the current gadget list. Limitation: no
// operation sets the global hook, the brush or the size limits yet.
#include "toolkit/window.h"

#include <ole2.h>

#include <cstdio>

#include "runtime/handle_table.h"
#include "runtime/runtime.h"
#include "toolkit/events.h"
#include "toolkit/gadget_stack.h"

ObjectList* g_windowList;

namespace {

struct WindowLibrary {
  HICON icon;
  HCURSOR cursor;
  HandleTable windows;  // window handle -> number + 1, as in its KV_WindowID property
};

WindowLibrary* g_windowLibrary;

constexpr DWORD kToolkitFlags = 7;
constexpr DWORD kOtherFlagsMask = ~DWORD(WINDOW_CENTRE_SCREEN | WINDOW_CENTRE_OWNER | WINDOW_NO_GADGET_LIST |
                                         WINDOW_INVISIBLE);

void ClassName(char (&name)[40], ObjectId number) {
  std::snprintf(name, sizeof name, "WindowClass_%lld", static_cast<long long>(number));
}

// A frame hosting an MDI client is marked "KV_MDI_Gadget"; a window without an MDI client
// in its record has nothing to pass on to one, so only such a window is asked for the mark.
bool HostsMdiClient(HWND hwnd, const WindowRecord* record) {
  return record && record->mdiClient && GetPropA(hwnd, "KV_MDI_Gadget");
}

LRESULT CALLBACK WindowClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = window_common_handler(hwnd, message, wParam, lParam);
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, window_number_of(hwnd)));
  if (message != WM_SIZE && HostsMdiClient(hwnd, record)) {
    HWND client = record->mdiClient;
    bool frameToo = message == WM_SETFOCUS || message == WM_MENUCHAR || (message == WM_COMMAND && lParam == 0);
    if (result == NOT_HANDLED || frameToo) return DefFrameProcA(hwnd, client, message, wParam, lParam);
    return result;
  }
  if (result == NOT_HANDLED) return DefWindowProcA(hwnd, message, wParam, lParam);
  return result;
}

BOOL CALLBACK SendSysColorChange(HWND child, LPARAM) {
  SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

// The window side of the common handler; NOT_HANDLED leaves the message to the event side.
LRESULT WindowSide(HWND hwnd, HWND top, WindowRecord* record, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) && record) record->activatedAt = GetTickCount();
      if (LOWORD(wParam)) {
        auto focus = static_cast<HWND>(GetPropA(hwnd, "KV_Focus"));
        if (focus && IsWindow(focus)) SetFocus(focus);
      } else {
        SetPropA(hwnd, "KV_Focus", GetFocus());
      }
      return 1;
    case WM_ERASEBKGND:
      if (record && record->background) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, record->background);
        return 1;
      }
      if (record && hwnd == top && record->eraseHook) return record->eraseHook(hwnd, reinterpret_cast<HDC>(wParam));
      return NOT_HANDLED;
    case WM_SYSCOLORCHANGE:
      if (!GetPropA(hwnd, "KV_MDI_Gadget")) EnumChildWindows(hwnd, SendSysColorChange, 0);
      return NOT_HANDLED;
    case WM_NCDESTROY:
      RemovePropA(hwnd, "KV_Focus");
      if (g_windowLibrary) HandleTableRemove(&g_windowLibrary->windows, hwnd);
      return 1;
    default:
      return NOT_HANDLED;
  }
}

void FillMinMax(HWND hwnd, const WindowRecord* record, MINMAXINFO* info) {
  if (record && record->minWidth) {
    info->ptMinTrackSize.x = record->minWidth;
  } else if (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) {
    info->ptMinTrackSize.x = 1;
  }
  if (!record) return;
  if (record->minHeight) info->ptMinTrackSize.y = record->minHeight;
  if (record->maxWidth) info->ptMaxTrackSize.x = record->maxWidth;
  if (record->maxHeight) info->ptMaxTrackSize.y = record->maxHeight;
}

// Where a window of the given outer size goes (the centring rules).
POINT Position(int32_t x, int32_t y, int32_t flags, HWND owner, int32_t* outerWidth, int32_t* outerHeight) {
  if ((x == WINDOW_DEFAULT_POSITION || y == WINDOW_DEFAULT_POSITION) &&
      !(flags & (WINDOW_CENTRE_SCREEN | WINDOW_CENTRE_OWNER)))
    return {CW_USEDEFAULT, CW_USEDEFAULT};
  if (flags & WINDOW_CENTRE_SCREEN) {
    int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (*outerWidth > screenWidth) *outerWidth = screenWidth;
    if (*outerHeight > screenHeight) *outerHeight = screenHeight;
    return {(screenWidth - *outerWidth) / 2, (screenHeight - *outerHeight) / 2};
  }
  if (flags & WINDOW_CENTRE_OWNER) {
    HWND reference = owner ? owner : GetActiveWindow();
    RECT r;
    if (!reference || !GetWindowRect(reference, &r)) return {x, y};
    LONG cx = r.left + (r.right - r.left - *outerWidth) / 2;
    LONG cy = r.top + (r.bottom - r.top - *outerHeight) / 2;
    return {cx < 0 ? 0 : cx, cy < 0 ? 0 : cy};
  }
  return {x, y};
}

}  // namespace

HWND window_top(HWND hwnd) {
  for (HWND w = hwnd; w; w = GetParent(w))
    if (window_number_of(w) >= 0) return w;
  return nullptr;
}

ObjectId window_number_of(HWND top) {
  if (!top || !g_windowLibrary) return -1;
  return reinterpret_cast<intptr_t>(HandleTableGet(&g_windowLibrary->windows, top)) - 1;
}

HACCEL window_accelerators(HWND window) {
  ObjectId number = window_number_of(window);
  if (number < 0) return nullptr;
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, number));
  return record ? record->acceleratorTable : nullptr;
}

bool window_size_changed(ObjectId number, UINT kind) {
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, number));
  if (!record) return false;
  if (kind == SIZE_MINIMIZED || kind == SIZE_MAXIMIZED) {
    record->minimisedOrMaximised = 1;
    return false;
  }
  if (kind != SIZE_RESTORED || !record->minimisedOrMaximised) return false;
  record->minimisedOrMaximised = 0;
  return true;
}

void window_library_init() {
  g_windowList = NewObjectList(sizeof(WindowRecord), 16, window_close);
  event_state_init();
  event_foreign_start();
  g_windowLibrary = static_cast<WindowLibrary*>(NewLibraryState(sizeof(WindowLibrary), nullptr));
  if (g_windowLibrary) {
    g_windowLibrary->icon = LoadIconA(static_cast<HINSTANCE>(g_runtime.instance), MAKEINTRESOURCEA(1));
    g_windowLibrary->cursor = LoadCursorA(nullptr, IDC_ARROW);
  }
  window_sizing_init();
}

void window_library_end() {
  FreeAllObjects(g_windowList);
  event_drop_free();
  event_foreign_end();
}

intptr_t window_open(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char* title,
                     int32_t flags, HWND owner) {
  auto* record = static_cast<WindowRecord*>(AllocateObject(g_windowList, number));
  if (!record) return 0;
  bool dynamic = number == DynamicNumber;
  if (dynamic) number = reinterpret_cast<intptr_t>(record);
  auto instance = static_cast<HINSTANCE>(g_runtime.instance);

  char className[40];
  ClassName(className, number);
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowClassProc;
  wc.hInstance = instance;
  wc.hIcon = g_windowLibrary ? g_windowLibrary->icon : nullptr;
  wc.hCursor = g_windowLibrary ? g_windowLibrary->cursor : nullptr;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassA(&wc);

  DWORD style = DWORD(flags), exStyle = 0;
  if (flags & WINDOW_TOOL) {
    exStyle = WS_EX_TOOLWINDOW;
    style = (style & ~DWORD(WS_MINIMIZE | WS_MAXIMIZE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) | WS_CAPTION;
  }
  if (!(DWORD(flags) & kOtherFlagsMask)) style |= WS_CAPTION;
  bool invisible = flags & WINDOW_INVISIBLE;
  style &= ~DWORD(WINDOW_INVISIBLE | WINDOW_NO_GADGET_LIST | kToolkitFlags);

  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  int32_t outerWidth = outer.right - outer.left, outerHeight = outer.bottom - outer.top;
  POINT at = Position(x, y, flags, owner, &outerWidth, &outerHeight);

  HWND hwnd = CreateWindowExA(exStyle, className, title ? title : "", style, at.x, at.y, outerWidth, outerHeight,
                              owner, nullptr, instance, nullptr);
  if (!hwnd) {
    UnregisterClassA(className, instance);
    ReleaseObject(g_windowList, number);
    return 0;
  }
  auto id = reinterpret_cast<HANDLE>(number + 1);
  if (!g_windowLibrary || !HandleTableSet(&g_windowLibrary->windows, hwnd, id)) {
    DestroyWindow(hwnd);
    UnregisterClassA(className, instance);
    ReleaseObject(g_windowList, number);
    return 0;
  }
  record->hwnd = hwnd;
  SetPropA(hwnd, "KV_WindowID", id);
  if (!invisible) {
    if (style & WS_MAXIMIZE) ShowWindow(hwnd, SW_MAXIMIZE);
    else if (style & WS_MINIMIZE) ShowWindow(hwnd, SW_SHOWMINIMIZED);
    else ShowWindow(hwnd, SW_SHOWNORMAL);
  }
  record->minimisedOrMaximised = (style & (WS_MINIMIZE | WS_MAXIMIZE)) ? 1 : 0;

  // Without the entries the window simply has no Tab navigation.
  record->accelerators = static_cast<ACCEL*>(ObjectAlloc(2 * sizeof(ACCEL)));
  if (record->accelerators) {
    record->accelerators[0] = {FVIRTKEY | FNOINVERT, VK_TAB, COMMAND_FOCUS_NEXT};
    record->accelerators[1] = {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, COMMAND_FOCUS_PREVIOUS};
    record->acceleratorCount = 2;
    record->acceleratorTable = CreateAcceleratorTableA(record->accelerators, 2);
  }
  record->mdiClient = nullptr;
  if (!(flags & WINDOW_NO_GADGET_LIST)) gadget_list_use(hwnd);
  return dynamic ? number : reinterpret_cast<intptr_t>(hwnd);
}

HWND window_handle(ObjectId number) {
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, number));
  return record ? record->hwnd : nullptr;
}

void window_message_hook_set(ObjectId number, WindowMessageHook hook) {
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, number));
  if (record) record->messageHook = hook;
}

bool window_shortcut_press(HWND active, const MSG& msg) {
  if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || msg.wParam == VK_TAB) return true;
  if (msg.lParam & (1 << 30)) return false;  // a repeat of a held key
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, window_number_of(active)));
  return !record || int32_t(msg.time - record->activatedAt) > 0;
}

bool window_shortcut_add(ObjectId number, uint16_t key, uint16_t command) {
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, number));
  if (!record || !record->accelerators) return false;
  const int32_t count = record->acceleratorCount + 1;
  void* grown = ObjectReAlloc(record->accelerators, size_t(count) * sizeof(ACCEL));
  if (!grown) return false;
  record->accelerators = static_cast<ACCEL*>(grown);
  record->accelerators[count - 1] = {FVIRTKEY | FNOINVERT, key, command};
  HACCEL table = CreateAcceleratorTableA(record->accelerators, count);
  if (!table) return false;
  DestroyAcceleratorTable(record->acceleratorTable);
  record->acceleratorTable = table;
  record->acceleratorCount = count;
  return true;
}

void window_close(ObjectId number) {
  auto* record = static_cast<WindowRecord*>(LookUpObject(g_windowList, number));
  if (!record) return;
  HWND hwnd = record->hwnd;
  bool mdiChild = GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD;
  HWND owner = GetWindow(hwnd, GW_OWNER);
  if (owner && !mdiChild) SetActiveWindow(owner);
  RemovePropA(hwnd, "KV_WindowID");
  if (g_windowLibrary) HandleTableRemove(&g_windowLibrary->windows, hwnd);
  if (RemovePropA(hwnd, "KV_DropAccept")) RevokeDragDrop(hwnd);
  if (mdiChild) {
    SendMessageA(GetParent(hwnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
  } else {
    DestroyWindow(hwnd);
    char className[40];
    ClassName(className, number);
    UnregisterClassA(className, static_cast<HINSTANCE>(g_runtime.instance));
  }
  if (record->accelerators) {
    ObjectFree(record->accelerators);
    DestroyAcceleratorTable(record->acceleratorTable);
  }
  if (record->background) DeleteObject(record->background);
  ReleaseObject(g_windowList, number);
}

LRESULT window_common_handler(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (window_sizing_message(hwnd, message, wParam, lParam, &result)) return result;
  HWND top = window_top(hwnd);
  ObjectId number = window_number_of(top);
  auto* record = top ? static_cast<WindowRecord*>(LookUpObject(g_windowList, number)) : nullptr;
  WindowMessageHook hook = record && record->messageHook ? record->messageHook : event_global_hook();
  if (hook) {
    result = hook(hwnd, message, wParam, lParam);
    if (result != CONTINUE_DEFAULT) return result;
  }
  event_window_set(number);
  if (message == WM_GETMINMAXINFO) {
    // Anyone may send this message; only the system's own carries the structure.
    if (lParam) FillMinMax(hwnd, record, reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
  }
  LRESULT windowSide = WindowSide(hwnd, top, record, message, wParam);
  LRESULT eventSide = event_window_message(hwnd, top, number, message, wParam, lParam);
  return windowSide != NOT_HANDLED ? windowSide : eventSide;
}
