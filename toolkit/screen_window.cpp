// Windowed screen, window side: the hidden base window, the size hook on the parent (which
// also tells the keyboard reader of the parent's activation messages), the paint hook on the
// child, and the GDI backdrop painted when no device presents.
// Needs user32, gdi32. Limitations: the previous procedures live in the "kv_dxprev" window
// property (and a table of ours), so a window subclassed again by someone else after us must
// unhook in order.
#include "runtime/runtime.h"
#include "toolkit/keyboard.h"
#include "toolkit/screen.h"
#include "toolkit/screen_state.h"

namespace {

const char kBaseClass[] = "MultimediaBase Class";
const char kSizedProperty[] = "kv_dxsize";
const char kPreviousProperty[] = "kv_dxprev";

// The hooked windows and their previous procedures, kept beside the kv_dxprev property so
// that a hook finds its procedure without asking for the property on every message. A
// window that finds no room here is served from the property.
struct Hooked {
  HWND window;
  WNDPROC previous;
};
Hooked g_hooked[8];

Hooked* Slot(HWND window) {
  for (Hooked& h : g_hooked)
    if (h.window == window) return &h;
  return nullptr;
}

WNDPROC PreviousProc(HWND window) {
  Hooked* h = Slot(window);
  return h ? h->previous : reinterpret_cast<WNDPROC>(GetPropA(window, kPreviousProperty));
}

void Unhook(HWND window, WNDPROC previous) {
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  RemovePropA(window, kPreviousProperty);
  if (Hooked* h = Slot(window)) *h = {};
}

// Full-screen screens would use activation and Tab/Alt here; a windowed one needs only a
// window that swallows input and paints nothing.
LRESULT CALLBACK BaseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
    case WM_ACTIVATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_KEYUP:
      return 0;
    case WM_PAINT:
      ValidateRect(window, nullptr);  // nothing to paint; stop the paint request repeating
      return 1;
    case WM_ERASEBKGND:
      return 1;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool Presenting() { return g_screen.device && g_screen.usable; }

void FillBackdrop(HDC dc, HWND child) {
  RECT area;
  GetClientRect(child, &area);
  HBRUSH brush = CreateSolidBrush(g_screen.backdrop);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

bool ActivationMessage(UINT message) {
  return message == WM_ACTIVATE || message == WM_ACTIVATEAPP || message == WM_NCACTIVATE || message == WM_SETFOCUS ||
         message == WM_KILLFOCUS;
}

LRESULT CALLBACK SizeHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = PreviousProc(window);
  bool ours = g_screen.open && g_screen.parent == window;
  // The keyboard is read for this window: a change of who is in front (or a message that
  // only claims one) makes the reader look again.
  if (ours && ActivationMessage(message)) keyboard_look_again();
  if (message == WM_SIZE && ours) {
    screen_fit_child();
    if (g_screen.screenWidth) screen_present();
  } else if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE && ours && g_screen.child) {
    // Children created after the screen would lie beneath it; the screen is a backdrop and
    // goes back under every gadget placed on it.
    SetWindowPos(g_screen.child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else if (message == WM_DESTROY && ours) {
    // The child and its device go before the window that holds them.
    screen_close();
  } else if (message == WM_NCDESTROY) {
    Unhook(window, previous);
    RemovePropA(window, kSizedProperty);
    if (g_screen.parent == window) g_screen.parent = nullptr;
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK PaintHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = PreviousProc(window);
  bool ours = g_screen.open && g_screen.child == window;
  if (ours && message == WM_ERASEBKGND && !Presenting()) return 1;
  if (ours && message == WM_PAINT) {
    if (!Presenting()) {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillBackdrop(dc, window);
      EndPaint(window, &paint);
      return 0;
    }
    LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
    if (g_screen.screenWidth) screen_present();
    if (!Presenting()) {
      // The device just gave up: keep the colour the user already saw.
      HDC dc = GetDC(window);
      FillBackdrop(dc, window);
      ReleaseDC(window, dc);
    }
    return result;
  }
  if (message == WM_NCDESTROY) Unhook(window, previous);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

void Subclass(HWND window, WNDPROC hook) {
  Hooked* h = Slot(window);  // a window destroyed unhooked may have left its handle behind
  if (!h) h = Slot(nullptr);
  LONG_PTR previous = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook));
  SetPropA(window, kPreviousProperty, reinterpret_cast<HANDLE>(previous));
  if (h) *h = {window, reinterpret_cast<WNDPROC>(previous)};
}

}  // namespace

HWND screen_hidden_window_create() {
  auto instance = static_cast<HINSTANCE>(g_runtime.instance);
  WNDCLASSA base{};
  base.style = CS_DBLCLKS;
  base.lpfnWndProc = BaseWindowProc;
  base.hInstance = instance;
  base.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  base.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  base.lpszClassName = kBaseClass;
  if (!RegisterClassA(&base) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  g_screen.hiddenWindow =
      CreateWindowExA(0, kBaseClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  return g_screen.hiddenWindow;
}

void screen_hidden_window_destroy() {
  if (!g_screen.hiddenWindow) return;
  DestroyWindow(g_screen.hiddenWindow);
  g_screen.hiddenWindow = nullptr;
  UnregisterClassA(kBaseClass, static_cast<HINSTANCE>(g_runtime.instance));
}

void screen_fit_child() {
  if (!g_screen.autoStretch || !g_screen.child) return;
  RECT client;
  GetClientRect(g_screen.parent, &client);
  int32_t width = client.right - g_screen.rightOffset - g_screen.x;
  int32_t height = client.bottom - g_screen.bottomOffset - g_screen.y;
  SetWindowPos(g_screen.child, nullptr, 0, 0, width > 0 ? width : 0, height > 0 ? height : 0,
               SWP_NOOWNERZORDER | SWP_NOZORDER | SWP_NOMOVE);
}

// A parent is subclassed once, however many screens are opened on it.
void screen_hook_parent(HWND parent) {
  if (GetPropA(parent, kSizedProperty)) return;
  Subclass(parent, SizeHook);
  SetPropA(parent, kSizedProperty, reinterpret_cast<HANDLE>(1));
}

void screen_hook_child(HWND child) { Subclass(child, PaintHook); }
