// The live readout of the selected controller: texts into the value fields and marks on the
// picture, in the order the refresh runs them; the U and V axes and buttons 13 to 32 come
// last, before the hand-over. Depends on the controller table, the axis
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

// "AxisU: n": the scaled value, or a dash when the controller's capabilities lack the axis.
void SetAxisLine(ObjectId field, const char* label, uint32_t capability, int32_t value) {
  TempExpression text;
  text.Text(label);
  const int32_t c = g_app.selectedController;
  if (ControllerIndexValid(c) && (g_app.controllerCaps[c].caps & capability)) text.Number(value);
  else text.Text("-");
  gadget_text_set(field, text.Finish());
}

}  // namespace

void ShowAxisValues() {
  int32_t c = g_app.selectedController;
  g_app.axisValueX = ControllerAxisX(c);
  g_app.axisValueY = ControllerAxisY(c);
  g_app.axisValueZ = ControllerAxisZ(c);
  g_app.axisValueR = ControllerAxisR(c);
  SetNumberText(AxisValueField(0), g_app.axisValueX);
  SetNumberText(AxisValueField(1), g_app.axisValueY);
  SetNumberText(AxisValueField(2), g_app.axisValueZ);
  SetNumberText(AxisValueField(3), g_app.axisValueR);
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

void ShowExtraLines() {
  const int32_t c = g_app.selectedController;
  SetAxisLine(kAxisUField, "AxisU: ", kJoyCapsHasU, ControllerAxisU(c));
  SetAxisLine(kAxisVField, "AxisV: ", kJoyCapsHasV, ControllerAxisV(c));
  TempExpression text;
  text.Text("Button 13-32:");
  const uint32_t high = uint32_t(ControllerButtons(c)) >> 12;
  for (int32_t k = 0; k < 20; ++k)
    if (high >> k & 1u) text.Text(" ").Number(k + 13);
  if (!high) text.Text(" -");
  gadget_text_set(kHighButtonsField, text.Finish());
}

void RefreshReadout() {
  ShowAxisValues();
  DrawAxisPatches();
  ShowButtonLines(0, 6);
  DrawButtonPatches();
  ShowButtonLines(6, 12);
  ShowHatLine();
  DrawHatPatches();
  ShowExtraLines();
  HandOverPicture();
}
