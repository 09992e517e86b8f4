// Gadgets under the real user32 and comctl32: styles and sizes of the kinds, items and
// selection of drop-down lists and list boxes, their events, re-used numbers, colours.
#include "tests/toolkit/toolkit_fixture.h"

#include <commctrl.h>

#include <functional>
#include <string>

#include "runtime/strings.h"
#include "toolkit/gadget_kind.h"
#include "toolkit/gdi_count.h"

namespace {

using Gadgets = ToolkitTest;

std::string TextOf(ObjectId number) {
  int32_t start = g_temp.pos;
  gadget_text_get(number, start);
  std::string text = g_temp.text + start;
  SetTempPos(start);
  return text;
}

std::string ItemTextOf(ObjectId number, int32_t position) {
  int32_t start = g_temp.pos;
  gadget_item_text_get(number, position, start);
  std::string text = g_temp.text + start;
  EXPECT_EQ(g_temp.pos, start + int32_t(text.size()));  // the result ends with its text
  SetTempPos(start);
  return text;
}

// How many messages reach the window through SendMessage while f runs.
HWND g_counted;
int g_count;
LRESULT CALLBACK CountMessages(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(lParam)->hwnd == g_counted) ++g_count;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
template <class F>
int MessagesTo(HWND window, F f) {
  g_counted = window;
  g_count = 0;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountMessages, nullptr, GetCurrentThreadId());
  f();
  UnhookWindowsHookEx(hook);
  return g_count;
}

TEST_F(Gadgets, EditFieldStylesAndTextThroughTheTemporaryBuffer) {
  auto edit = reinterpret_cast<HWND>(edit_gadget_create(0, 55, 1, 80, 20, "X-Achse"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(edit, GWL_STYLE), 0x50030080);
  EXPECT_TRUE(GetWindowLongPtrA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetParent(edit), main_);
  EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_ID), 0);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(TextOf(0), "X-Achse");

  auto bare = reinterpret_cast<HWND>(edit_gadget_create(1, 55, 30, 80, 20, nullptr, EDIT_BORDERLESS));
  EXPECT_FALSE(GetWindowLongPtrA(bare, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(TextOf(1), "");
  EXPECT_EQ(TextOf(99), "");  // no such gadget: an empty text

  // A text that lies in the temporary buffer at the very offset of the result.
  int32_t start = g_temp.pos;
  AppendString("longer text than before");
  gadget_text_set(0, g_temp.text + start);
  SetTempPos(start);
  EXPECT_EQ(TextOf(0), "longer text than before");

  // A held field shows the program's texts only: typing and other writers are undone at
  // once, while a field that is not held takes what is typed.
  edit_gadget_hold_text(0);
  SendMessageA(edit, WM_CHAR, '7', 1);
  EXPECT_EQ(TextOf(0), "longer text than before");
  gadget_text_set(0, "100");
  EXPECT_EQ(TextOf(0), "100");
  SendMessageA(edit, WM_KEYDOWN, VK_END, 1);
  SendMessageA(edit, WM_CHAR, VK_BACK, 1);
  SetWindowTextA(edit, "-10051");
  EXPECT_EQ(TextOf(0), "100");
  EXPECT_EQ(GetWindowLongPtrA(edit, GWL_STYLE), 0x50030080) << "it keeps the look of an editable field";
  // The text it shows already is not written again (a selection in it stays), and what is
  // typed after that is still undone; a new text is written.
  SendMessageA(edit, EM_SETSEL, 0, -1);
  gadget_text_set(0, "100");
  DWORD from = 0, to = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(to, 3u) << "the same text was written again";
  SendMessageA(edit, WM_CHAR, '7', 1);
  EXPECT_EQ(TextOf(0), "100");
  gadget_text_set(0, "-100");
  EXPECT_EQ(TextOf(0), "-100");
  SendMessageA(bare, WM_CHAR, '7', 1);
  EXPECT_EQ(TextOf(1), "7");
  // A held field knows it shows what the library wrote until any message that may change
  // it arrives: painting asks nothing of it, anything else has it asked once.
  InvalidateRect(edit, nullptr, TRUE);
  UpdateWindow(edit);
  EXPECT_EQ(MessagesTo(edit, [] { gadget_text_set(0, "-100"); }), 0);
  SendMessageA(edit, EM_SETSEL, 0, 1);
  EXPECT_EQ(MessagesTo(edit, [] { gadget_text_set(0, "-100"); }), 1) << "a look at its text";
  EXPECT_EQ(MessagesTo(edit, [] { gadget_text_set(0, "-100"); }), 0);
  // Any program can send or post a paint request naming no device context; the field must
  // still take its next texts (the system's edit control would keep a broken layout).
  const UINT paints[] = {WM_PAINT, WM_PRINT, WM_PRINTCLIENT, WM_ERASEBKGND};
  for (UINT message : paints) {
    SendMessageA(edit, message, 0x654dde20, PRF_CLIENT);
    gadget_text_set(0, "100");
    gadget_text_set(0, "-100");
    EXPECT_EQ(TextOf(0), "-100") << message;
  }
  // A close command, posted or sent, destroys no gadget.
  PostMessageA(edit, WM_CLOSE, 0, 0);
  Drain();
  SendMessageA(edit, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(edit));
}

TEST_F(Gadgets, DropDownListHeightItemsAndSelectionText) {
  auto combo = reinterpret_cast<HWND>(combo_gadget_create(35, 311, 204, 200, 22));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(WindowSize(combo).cy, 22);
  EXPECT_EQ(WindowSize(combo).cx, 200);
  SendMessageA(combo, WM_SETFONT, 0x73c9ffc5, TRUE);  // from another program: no font of ours
  EXPECT_EQ(WindowSize(combo).cy, 22);
  // The control itself drops WS_BORDER and WS_VSCROLL from the style it was given.
  EXPECT_EQ(GetWindowLongPtrA(combo, GWL_STYLE) & 0x50030003, 0x50030003);

  gadget_item_add(35, 0, "Gamepad 1");
  gadget_item_add(35, -1, "Gamepad 3");
  gadget_item_add(35, 1, "Gamepad 2");
  gadget_item_add(35, -2, "never");
  ASSERT_EQ(gadget_item_count(35), 3);
  EXPECT_EQ(ItemTextOf(35, 0), "Gamepad 1");
  EXPECT_EQ(ItemTextOf(35, 1), "Gamepad 2");
  EXPECT_EQ(ItemTextOf(35, 2), "Gamepad 3");
  EXPECT_EQ(ItemTextOf(35, 7), "");

  gadget_state_set(35, 1);
  EXPECT_EQ(TextOf(35), "Gamepad 2");
  gadget_text_set(35, "Gamepad 9");
  EXPECT_EQ(gadget_state_get(35), 1);
  gadget_text_set(35, "Gamepad 3");
  EXPECT_EQ(gadget_state_get(35), 2);
  gadget_text_set(35, "");
  EXPECT_EQ(gadget_state_get(35), -1);
  EXPECT_EQ(TextOf(35), "");

  gadget_item_remove(35, 0);
  gadget_item_add(35, 0, "Kein Gamepad erkannt.");
  gadget_state_set(35, 0);
  EXPECT_EQ(TextOf(35), "Kein Gamepad erkannt.");
  gadget_item_add(35, -1, nullptr);
  EXPECT_EQ(gadget_item_count(35), 4);
  EXPECT_EQ(ItemTextOf(35, 3), "");
  // A new text for the chosen item keeps it chosen; one for another item leaves the choice.
  gadget_item_text_set(35, 0, "Gamepad 1 (getrennt)");
  EXPECT_EQ(TextOf(35), "Gamepad 1 (getrennt)");
  gadget_item_text_set(35, 1, "Gamepad 2 (getrennt)");
  EXPECT_EQ(gadget_state_get(35), 0);
  EXPECT_EQ(ItemTextOf(35, 1), "Gamepad 2 (getrennt)");
  EXPECT_FALSE(combo_gadget_open(35));
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(combo_gadget_open(35));
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);

  // Resizing keeps the opened list's room: the window height of a drop-down list is the
  // opened height.
  auto openHeight = [combo] {
    RECT opened{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&opened));
    return opened.bottom - opened.top;
  };
  LONG open = openHeight();
  EXPECT_GT(open, 200);
  gadget_resize(35, -65535, -65535, 150, 30);
  EXPECT_EQ(WindowSize(combo).cy, 30);
  EXPECT_EQ(WindowSize(combo).cx, 150);
  EXPECT_EQ(openHeight(), open);
  gadget_resize(35, 5, 5, -65535, -65535);
  EXPECT_EQ(WindowSize(combo).cy, 30);
  EXPECT_EQ(openHeight(), open);
}

// The drop-down list's text, selection and open state come from what the toolkit knows:
// after each change, whoever makes it and however, they are what the box itself says, and
// reading them again asks the box nothing.
TEST_F(Gadgets, DropDownListReadsFollowEveryChangeAndAskNothingInBetween) {
  auto combo = reinterpret_cast<HWND>(combo_gadget_create(35, 311, 204, 200, 22));
  for (const char* item : {"Gamepad 1", "Gamepad 2", "Gamepad 3", "Gamepad 4"}) gadget_item_add(35, -1, item);
  gadget_state_set(35, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  HWND list = info.hwndList;
  RECT item{};
  SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  auto over = [&](UINT message) { SendMessageA(list, message, 0, MAKELPARAM(item.left + 5, item.top + 2)); };
  auto read = [] {
    TextOf(35);
    gadget_state_get(35);
    combo_gadget_open(35);
  };
  struct Change {
    const char* what;
    std::function<void()> make;
  };
  const Change changes[] = {
      {"the program's selection", [] { gadget_state_set(35, 1); }},
      {"the program's text", [] { gadget_text_set(35, "Gamepad 3"); }},
      {"a new text for the chosen item", [] { gadget_item_text_set(35, 2, "Gamepad 3 (getrennt)"); }},
      {"an item added before it", [] { gadget_item_add(35, 0, "Gamepad 0"); }},
      {"another program's CB_SETCURSEL", [combo] { SendMessageA(combo, CB_SETCURSEL, 1, 0); }},
      {"a posted CB_SETCURSEL", [combo] { PostMessageA(combo, CB_SETCURSEL, 2, 0), Drain(); }},
      {"CB_SELECTSTRING", [combo] { SendMessageA(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM("Gamepad 4")); }},
      {"a key on the closed box", [combo] { SendMessageA(combo, WM_KEYDOWN, VK_UP, 0); }},
      {"the list opened", [combo] { SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0); }},
      {"the mouse over an item of the open list", [&] { over(WM_MOUSEMOVE); }},
      {"a key in the open list", [combo] { SendMessageA(combo, WM_KEYDOWN, VK_DOWN, 0); }},
      {"LB_SETCURSEL to the list", [list] { SendMessageA(list, LB_SETCURSEL, 0, 0); }},
      {"a click on an item of the open list", [&] { over(WM_LBUTTONDOWN), over(WM_LBUTTONUP), Drain(); }},
      {"Escape on the open list", [combo] {
         SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
         SendMessageA(combo, WM_KEYDOWN, VK_ESCAPE, 0);
       }},
      {"an item removed", [] { gadget_item_remove(35, 0); }},
      {"CB_RESETCONTENT", [combo] { SendMessageA(combo, CB_RESETCONTENT, 0, 0); }},
  };
  for (const Change& change : changes) {
    read();
    change.make();
    std::string text = TextOf(35);
    intptr_t selection = gadget_state_get(35);
    bool open = combo_gadget_open(35);
    char shown[64] = "";
    GetWindowTextA(combo, shown, sizeof shown);
    EXPECT_EQ(text, shown) << change.what;
    EXPECT_EQ(selection, SendMessageA(combo, CB_GETCURSEL, 0, 0)) << change.what;
    EXPECT_EQ(open, SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0) << change.what;
    EXPECT_EQ(MessagesTo(combo, read) + MessagesTo(list, read), 0) << change.what;
  }
}

TEST_F(Gadgets, EditableAndImageDropDownLists) {
  auto editable = reinterpret_cast<HWND>(combo_gadget_create(1, 10, 10, 150, 22, COMBO_EDITABLE));
  HWND inner = GetWindow(editable, GW_CHILD);
  ASSERT_NE(inner, nullptr);
  EXPECT_TRUE(GetWindowLongPtrA(inner, GWL_STYLE) & WS_TABSTOP);
  gadget_text_set(1, "free text");
  EXPECT_EQ(TextOf(1), "free text");

  auto ex = reinterpret_cast<HWND>(combo_gadget_create(2, 10, 40, 150, 24, COMBO_IMAGES));
  ASSERT_NE(ex, nullptr);
  EXPECT_EQ(WindowSize(ex).cy, 24);
  void* bits;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, 16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HBITMAP icon = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int32_t lists = g_gdiCounts.imageLists;
  gadget_item_add(2, -1, "first", icon);
  gadget_item_add(2, -1, "second", icon);
  EXPECT_EQ(g_gdiCounts.imageLists, lists + 1);
  EXPECT_NE(SendMessageA(ex, CBEM_GETIMAGELIST, 0, 0), 0);
  gadget_state_set(2, 1);
  EXPECT_EQ(TextOf(2), "second");
  gadget_item_text_set(2, 0, "renamed");
  EXPECT_EQ(ItemTextOf(2, 0), "renamed");
  gadget_resize(2, -65535, -65535, 120, 28);
  EXPECT_EQ(WindowSize(ex).cy, 28);
  EXPECT_EQ(WindowSize(ex).cx, 120);

  // A wider picture takes more than one place in the image list: a picture added after it
  // keeps its own index when it is used again.
  info.bmiHeader.biWidth = 32;
  HBITMAP wide = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  info.bmiHeader.biWidth = 16;
  HBITMAP after = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  gadget_item_add(2, -1, "wide", wide);
  gadget_item_add(2, -1, "after", after);
  gadget_item_add(2, -1, "after again", after);
  auto imageOf = [ex](int32_t position) {
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_IMAGE;
    item.iItem = position;
    SendMessageA(ex, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
  };
  EXPECT_EQ(imageOf(0), 0);
  EXPECT_EQ(imageOf(1), 0);
  EXPECT_EQ(imageOf(4), imageOf(3));
  EXPECT_NE(imageOf(3), imageOf(2));

  gadget_free(2);
  EXPECT_FALSE(IsWindow(ex));
  EXPECT_EQ(g_gdiCounts.imageLists, lists);
  DeleteObject(icon);
  DeleteObject(wide);
  DeleteObject(after);
}

TEST_F(Gadgets, ButtonCaptionAndCheckState) {
  auto button = reinterpret_cast<HWND>(button_gadget_create(36, 515, 205, 98, 22, "Beenden"));
  EXPECT_EQ(GetWindowLongPtrA(button, GWL_STYLE), 0x50030000);
  EXPECT_EQ(WindowSize(button).cx, 98);
  EXPECT_EQ(TextOf(36), "Beenden");
  gadget_text_set(36, "Ende");
  EXPECT_EQ(TextOf(36), "Ende");
  auto check = reinterpret_cast<HWND>(button_gadget_create(5, 10, 10, 98, 22, "check", BS_AUTOCHECKBOX));
  ASSERT_NE(check, nullptr);
  gadget_state_set(5, 7);
  EXPECT_EQ(gadget_state_get(5), 1);
  gadget_state_set(5, 0);
  EXPECT_EQ(gadget_state_get(5), 0);
}

TEST_F(Gadgets, ListBoxItemsDoubleClickAndDragStart) {
  auto list = reinterpret_cast<HWND>(list_gadget_create(37, 311, 234, 300, 60));
  ASSERT_NE(list, nullptr);
  // Scroll bar styles come and go with the content.
  EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & ~LONG_PTR(WS_VSCROLL | WS_HSCROLL), 0x50030141);
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const char* lines[] = {"Vellomir", "Version 1.0", "Gamepad tester", "Beenden or Escape"};
  for (int i = 0; i < 4; ++i) gadget_item_add(37, i, lines[i]);
  EXPECT_EQ(gadget_item_count(37), 4);
  gadget_state_set(37, 1);
  EXPECT_EQ(TextOf(37), "Version 1.0");
  gadget_text_set(37, "Gamepad tester");
  EXPECT_EQ(gadget_state_get(37), 2);
  gadget_item_text_set(37, 0, "Vellomir V1.0");
  EXPECT_EQ(ItemTextOf(37, 0), "Vellomir V1.0");

  gadget_state_set(37, 0);
  Drain();
  LRESULT itemHeight = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  LPARAM onFirst = MAKELPARAM(20, itemHeight / 2);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, onFirst);
  SendMessageA(list, WM_LBUTTONUP, 0, onFirst);
  EXPECT_TRUE(HasGadgetEvent(Drain(), 37, GADGET_LEFT_DOUBLE_CLICK));

  // Press on the selected item, leave the drag rectangle, release: a drag start, no click.
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, onFirst);
  SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20 + 40, itemHeight / 2));
  SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(20 + 40, itemHeight / 2));
  std::vector<PolledEvent> events = Drain();
  EXPECT_TRUE(HasGadgetEvent(events, 37, GADGET_DRAG_STARTED));
  EXPECT_FALSE(HasGadgetEvent(events, 37, GADGET_LEFT_CLICK));
  EXPECT_EQ(GetCapture(), nullptr);

  // Press and release in place: a click.
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, onFirst);
  SendMessageA(list, WM_LBUTTONUP, 0, onFirst);
  EXPECT_TRUE(HasGadgetEvent(Drain(), 37, GADGET_LEFT_CLICK));

  // A press cut short by a loss of capture (a pop-up, Alt+Tab) is over: a later plain move
  // starts no drag.
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, onFirst);
  SetCapture(main_);
  ReleaseCapture();
  SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(20 + 40, itemHeight / 2));
  EXPECT_FALSE(HasGadgetEvent(Drain(), 37, GADGET_DRAG_STARTED));
}

TEST_F(Gadgets, MultipleSelectionListClearsAndKeepsItsSelection) {
  auto list = reinterpret_cast<HWND>(list_gadget_create(37, 10, 10, 200, 80, LBS_MULTIPLESEL));
  ASSERT_NE(list, nullptr);
  gadget_item_add(37, 0, "only");
  gadget_state_set(37, 0);
  EXPECT_EQ(gadget_state_get(37), 0);
  gadget_state_set(37, -1);  // a single item must be cleared too
  EXPECT_EQ(gadget_state_get(37), -1);

  gadget_item_add(37, 1, "second");
  gadget_item_add(37, 2, "third");
  gadget_state_set(37, 1);
  gadget_text_set(37, "not an item");  // leaves the selection alone
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
  EXPECT_EQ(gadget_state_get(37), 1);
  gadget_text_set(37, "third");
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 2);
  gadget_state_set(37, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
  EXPECT_EQ(gadget_state_get(37), 0);
}

TEST_F(Gadgets, RecreatingAUsedNumberDestroysTheOldControlAndItsRecord) {
  auto old = reinterpret_cast<HWND>(edit_gadget_create(5, 10, 10, 100, 20, "old"));
  gadget_colour_set(5, 2, 0x00FF00);
  int32_t brushes = g_gdiCounts.brushes;
  auto fresh = reinterpret_cast<HWND>(list_gadget_create(5, 10, 40, 100, 50));
  ASSERT_NE(fresh, nullptr);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(gadget_handle(5), fresh);
  EXPECT_EQ(g_gdiCounts.brushes, brushes - 1);  // the old field's brush went with it
  auto* record = static_cast<GadgetRecord*>(LookUpObject(g_gadgetList, 5));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->kind->type, 6);

  intptr_t id = edit_gadget_create(DynamicNumber, 10, 100, 100, 20, "dynamic");
  HWND dynamic = gadget_handle(id);
  ASSERT_NE(dynamic, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(dynamic, GWLP_ID), id);
  EXPECT_EQ(TextOf(id), "dynamic");
  gadget_free(id);
  EXPECT_EQ(gadget_handle(id), nullptr);
  EXPECT_EQ(TextOf(id), "");
}

TEST_F(Gadgets, SharedBrushesAreCountedPerColour) {
  int32_t brushes = g_gdiCounts.brushes;
  edit_gadget_create(1, 10, 10, 100, 20, "a");
  edit_gadget_create(2, 10, 40, 100, 20, "b");
  list_gadget_create(3, 10, 70, 100, 50);
  gadget_colour_set(1, 2, 0x0000FF);
  gadget_colour_set(2, 2, 0x0000FF);
  gadget_colour_set(3, 2, 0xFF0000);
  gadget_colour_set(1, 1, 0xFFFFFF);
  EXPECT_EQ(g_gdiCounts.brushes, brushes + 2);
  EXPECT_EQ(gadget_colour_get(1, 2), 0x0000FF);
  EXPECT_EQ(gadget_colour_get(1, 1), 0xFFFFFF);
  EXPECT_EQ(gadget_colour_get(1, 3), -1);
  EXPECT_EQ(gadget_colour_get(2, 1), -1);
  gadget_colour_set(2, 2, -1);
  EXPECT_EQ(g_gdiCounts.brushes, brushes + 2);
  gadget_free(1);
  EXPECT_EQ(g_gdiCounts.brushes, brushes + 1);
  gadget_free(3);
  EXPECT_EQ(g_gdiCounts.brushes, brushes);
}

TEST_F(Gadgets, OperationsOnMissingGadgetsDoNothing) {
  EXPECT_EQ(gadget_item_add(40, -1, "x"), 0);
  gadget_item_remove(40, 0);
  gadget_state_set(40, 1);
  gadget_text_set(40, "x");
  EXPECT_EQ(gadget_state_get(40), 0);
  EXPECT_EQ(gadget_handle(40), nullptr);
  button_gadget_create(41, 10, 10, 50, 20, "b");
  EXPECT_EQ(gadget_item_add(41, -1, "no items on a button"), 0);
}

}  // namespace

VLMR_TOOLKIT_MAIN()
