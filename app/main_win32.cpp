// Vellomir's entry routine: brings the runtime up in the order of app/library_order.h, lays
// out the one window, follows the chosen controller every 10 ms until "Beenden" or Escape,
// then tears everything down.
// While it runs, controllers plugged in are added to the list when the system reports a
// device change, and a controller that stops answering is marked "(getrennt)" there.
// Depends on every toolkit library. The Direct3D screen, DirectInput and the keyboard
// reader may be missing: their results are not examined and the program runs on.
#include <windows.h>

#include <dbt.h>

#include <cstring>
#include <initializer_list>

#include "app/axes.h"
#include "app/controller.h"
#include "app/controller_list_win32.h"
#include "app/library_order.h"
#include "app/numbers.h"
#include "app/picture_file_win32.h"
#include "app/readout_win32.h"
#include "app/running_mark_win32.h"
#include "app/state.h"
#include "app/stick_test_win32.h"
#include "graphics/image.h"
#include "runtime/runtime.h"
#include "runtime/strings.h"
#include "runtime/utils.h"
#include "toolkit/events.h"
#include "toolkit/font.h"
#include "toolkit/gadget.h"
#include "toolkit/keyboard.h"
#include "toolkit/screen.h"
#include "toolkit/window.h"

namespace {

void LoadPicture() {
  g_app.pictureImage = kSheetImage;
  g_app.displayImage = kDisplayImage;
  g_app.scratchImage = kScratchImage;
  if (LoadPictureSheet(g_app.pictureImage, "gfx/vlmr.png")) {
    image_create(g_app.displayImage, kPictureWidth, kPictureHeight, 24);
    image_grab(g_app.pictureImage, g_app.displayImage, 0, 0, kPictureWidth, kPictureHeight);
  } else {
    ShowMessageBox("Error", "Kein Bild.");
  }
}

void CreateReadoutFields() {
  static const char* const kAxisNames[4] = {"AxisX", "AxisY", "AxisZ", "AxisR"};
  for (int32_t axis = 0; axis < 4; ++axis) {
    edit_gadget_create(AxisNameField(axis), 1, 25 * axis, 199, 20, kAxisNames[axis], 0);
    edit_gadget_create(AxisValueField(axis), 200, 25 * axis, 100, 20, "0", 0);
  }
  for (int32_t k = 0; k < 12; ++k) {
    TempExpression label;
    label.Text("Button ").Number(k + 1).Text(": 0");
    edit_gadget_create(ButtonField(k), k < 6 ? 1 : 151, 150 + 25 * (k % 6), 149, 20, label.Finish(), 0);
  }
  TempExpression hatLabel;
  hatLabel.Text("POV ").Number(13).Text(": 0");
  edit_gadget_create(kHatField, 1, 100, 299, 20, hatLabel.Finish(), 0);
  // The row between the hat and the buttons: the U and V axes beside each other on the left,
  // like the button columns, and the buttons past the twelfth on the right.
  edit_gadget_create(kAxisUField, 1, 125, 75, 20, "AxisU: 0", 0);
  edit_gadget_create(kAxisVField, 76, 125, 74, 20, "AxisV: 0", 0);
  edit_gadget_create(kHighButtonsField, 151, 125, 149, 20, "Button 13-32: -", 0);
  // The fields show only what the program writes; typing into them is undone at once.
  for (int32_t axis = 0; axis < 4; ++axis) {
    edit_gadget_hold_text(AxisNameField(axis));
    edit_gadget_hold_text(AxisValueField(axis));
  }
  for (int32_t k = 0; k < 12; ++k) edit_gadget_hold_text(ButtonField(k));
  edit_gadget_hold_text(kHatField);
  for (ObjectId field : {kAxisUField, kAxisVField, kHighButtonsField}) edit_gadget_hold_text(field);
}

// The system sends every top-level window a device change when devices come and go; the
// main loop enumerates again at the start of its next pass, when it holds no controller.
LRESULT DeviceChangeHook(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_DEVICECHANGE &&
      (wParam == DBT_DEVNODES_CHANGED || wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE))
    g_app.devicesChanged = 1;
  return CONTINUE_DEFAULT;
}

void StartUp() {
  std::memset(&g_app, 0, sizeof g_app);
  StartRuntime(ProgramOrder());
  g_app.controllerCount = EnumerateControllers();
  g_app.selectedController = 0;
  PollControllers(g_app.selectedController);

  window_open(kMainWindow, 0, 0, 620, 300, "Vellomir V1.0", WINDOW_CENTRE_OWNER);
  window_message_hook_set(kMainWindow, DeviceChangeHook);
  screen_open_windowed(window_handle(kMainWindow), 0, 0, 620, 300, 1, 0, 0);
  screen_clear(PackColour(155, 155, 155));
  LoadPicture();
  CreateReadoutFields();
  image_gadget_create(kPictureGadget, 311, 1, 300, 186, image_handle(g_app.displayImage), WS_EX_CLIENTEDGE);
  combo_gadget_create(kControllerList, 311, 204, 200, 22);
  FillControllerList();
  button_gadget_create(kQuitButton, 515, 205, 98, 22, "Beenden");
  list_gadget_create(kInfoList, 311, 234, 300, 60);
  gadget_item_add(kInfoList, 0, "Vellomir");
  gadget_item_add(kInfoList, 1, "Version 1.0");
  gadget_item_add(kInfoList, 2, "Entwickelt vom Vellomir-Team");
  gadget_item_add(kInfoList, 3, "Copyright 2026 Vellomir-Team. Alle Rechte vorbehalten.");
  font_load(kValueFont, "Courier new", 7);
}

void RunMainLoop() {
  // The detector only reports readings that changed since the last check; a new choice in
  // the drop-down (and the first pass) must still show the chosen controller at once.
  int32_t shownController = -2;
  // A key acts on its press: an Escape that met the opened list, or one or an F2 that the
  // Stick-Test took before the window came back to the front, acts only when pressed anew.
  bool escapeTaken = false, f2Taken = false;
  for (;;) {
    if (g_app.devicesChanged) TakeNewControllers();
    g_app.selectedController = SelectedFromList();
    if (g_app.selectedController != shownController) {
      ForceControllerRefresh();
      shownController = g_app.selectedController;
    }
    bool listOpen = combo_gadget_open(kControllerList);
    const bool stickTestOpen = StickTestIsOpen();
    // Only the button's own gadget event ends the program: other events carry objects of
    // their own (a timer id, a tray icon), which another program can choose.
    const int32_t code = event_poll();
    const bool gadgetEvent = code == EVENT_GADGET;
    StickTestEvent(code);
    listOpen = listOpen || combo_gadget_open(kControllerList);
    bool freshKeys = keyboard_read_state();
    PollControllers(g_app.selectedController);
    if (CheckControllerEvent()) RefreshReadout();
    ShowConnections();
    StickTestFollow();
    if (gadgetEvent && event_gadget() == kQuitButton) g_app.quitRequested = 1;
    SleepMilliseconds(10);
    bool escape = key_is_down(KEY_ESCAPE), f2 = key_is_down(KEY_F2);
    if (stickTestOpen && !StickTestIsOpen()) escapeTaken = f2Taken = true;
    if (escape && listOpen) escapeTaken = true;
    else if (freshKeys && !escape) escapeTaken = false;
    if (freshKeys && !f2) f2Taken = false;
    if (f2 && !f2Taken) {
      f2Taken = true;
      if (StickTestIsOpen()) StickTestClose();
      else StickTestOpen();
    }
    if ((escape && !escapeTaken) || g_app.quitRequested == 1) return;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MarkRunning();
  StartUp();
  RunMainLoop();
  SleepMilliseconds(10);
  EndRuntime(ProgramOrder());
  EndRuntimeHeap();
  ExitProcess(0);
}
