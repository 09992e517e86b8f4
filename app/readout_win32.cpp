// The live readout of the selected controller: texts into the value fields and marks on the
// picture, in the order the refresh runs them. Depends on the controller table, the axis
// scaling, the overlay and the gadget library.
#include "app/readout_win32.h"

#include "app/axes.h"
#include "app/controller.h"
#include "app/numbers.h"
#include "app/overlay_win32.h"
#include "app/state.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"

namespace {

void SetNumberText(ObjectId field, int64_t value) {
  TempExpression text;
  text.Number(value);
  gadget_text_set(field, text.Finish());
}

}  // namespace

void ShowAxisValues() {
  int32_t c = g_app.selectedController;
  g_app.axisValueX = ControllerAxisX(c);
  g_app.axisValueY = ControllerAxisY(c);
  g_app.axisValueZ = ControllerAxisZ(c);
  g_app.axisValueR = ControllerAxisR(c);
  SetNumberText(1, g_app.axisValueX);
  SetNumberText(3, g_app.axisValueY);
  SetNumberText(5, g_app.axisValueZ);
  SetNumberText(7, g_app.axisValueR);
}

void ShowButtonLines(int32_t first, int32_t end) {
  for (int32_t k = first; k < end; ++k) {
    TempExpression text;
    text.Text("Button ").Number(k + 1).Text(": ").Number(ControllerButton(g_app.selectedController, k));
    gadget_text_set(ButtonField(k), text.Finish());
  }
}

void ShowHatLine() {
  TempExpression hat;
  hat.Text("POV : ").Number(ControllerPOV(g_app.selectedController));
  gadget_text_set(kHatField, hat.Finish());
  g_app.hatPosition = ControllerPOV(g_app.selectedController);
}

void RefreshReadout() {
  ShowAxisValues();
  DrawAxisPatches();
  ShowButtonLines(0, 6);
  DrawButtonPatches();
  ShowButtonLines(6, 12);
  ShowHatLine();
  DrawHatPatches();
  HandOverPicture();
}
