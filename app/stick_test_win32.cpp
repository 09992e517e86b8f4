// The Stick-Test window (window 1): both sticks of the chosen controller as raw positions on
// two plots, each with the circle of full deflection, the dead zone's circle, the position,
// its trail of two seconds and the outline of its furthest reach in 36 directions, and under
// each plot the raw values, the offsets from the centre and the circularity. It reads the
// positions the main loop has polled and redraws only when they changed (and once more when
// the trail has run out), so closed it costs nothing. Depends on the controller table, the
// Stick-Test numbers, the image, drawing, gadget and window libraries.
#include "app/stick_test_win32.h"

#include <windows.h>

#include <cmath>
#include <numbers>
#include <cstring>
#include <initializer_list>

#include "app/numbers.h"
#include "app/state.h"
#include "app/controller.h"
#include "app/stick_model.h"
#include "graphics/drawing.h"
#include "graphics/drawing_output.h"
#include "graphics/image.h"
#include "runtime/strings.h"
#include "runtime/utils.h"
#include "toolkit/events.h"
#include "toolkit/gadget.h"
#include "toolkit/menu.h"
#include "toolkit/window.h"

namespace {

constexpr int32_t kPlotSize = 201;  // odd, so the centre is a pixel
constexpr int32_t kPlotCentre = kPlotSize / 2;
constexpr int32_t kPlotRadius = 95;  // full deflection
constexpr int32_t kDotRadius = 3;
constexpr int32_t kTitleRoom = 192;  // "Stick-Test: " and the longest item

struct Plot {
  ObjectId title, picture, raw, offset, round;  // gadgets
  ObjectId image;
  int32_t x;  // left edge of its column
};
constexpr Plot kPlots[2] = {
    {kStickLeftTitle, kStickLeftPlot, kStickLeftRaw, kStickLeftOffset, kStickLeftRound, kStickLeftImage, 10},
    {kStickRightTitle, kStickRightPlot, kStickRightRaw, kStickRightOffset, kStickRightRound, kStickRightImage, 229}};

// All of the window's state: which controller it shows, what it last saw of it and when.
struct StickTestState {
  bool open;
  int32_t controller;  // the controller the tracks belong to; -2 before the first pass
  uint32_t raw[kAxisCount];
  bool drawn;         // the plots show the current readings
  uint32_t changedAt; // when the readings last changed
  bool trailShown;    // the plots show a trail that may still run out
  StickTrack tracks[2];
  char title[kTitleRoom];
};
StickTestState g_stick;

uint32_t Now() { return GetTickCount(); }

StickAxes AxesOf(int32_t plot, int32_t c) {
  return plot == 0 ? LeftStickAxes() : RightStickAxes(g_app.controllerCaps[c].caps);
}

const char* PlotTitle(int32_t plot, int32_t c) {
  if (plot == 0) return "Linker Stick (X/Y)";
  return ControllerIndexValid(c) && AxesOf(1, c).x == kAxisU ? "Rechter Stick (U/R)" : "Rechter Stick (Z/R)";
}

uint32_t RawOf(int32_t c, ControllerAxis axis) {
  const JoyInfoEx& p = g_app.controllerPositions[c];
  const uint32_t raw[kAxisCount] = {p.dwXpos, p.dwYpos, p.dwZpos, p.dwRpos, p.dwUpos, p.dwVpos};
  return raw[axis];
}

// Screen point of a normalised position (the Y axis grows downwards, as the raw values do).
POINT At(double x, double y) {
  return {LONG(std::lround(kPlotCentre + x * kPlotRadius)), LONG(std::lround(kPlotCentre + y * kPlotRadius))};
}

void DrawPlot(int32_t plot, int32_t c, uint32_t now) {
  const Plot& p = kPlots[plot];
  if (!drawing_start(image_output(p.image))) return;
  DrawingOutput* o = drawing_current();
  o->ops.set_front_colour(o, uint32_t(PackColour(255, 255, 255)));
  o->ops.box(o, 0, 0, kPlotSize, kPlotSize);
  o->ops.set_mode(o, 4);  // outlines
  o->ops.set_front_colour(o, uint32_t(PackColour(150, 150, 150)));
  o->ops.ellipse(o, kPlotCentre, kPlotCentre, kPlotRadius, kPlotRadius);
  o->ops.set_front_colour(o, uint32_t(PackColour(200, 200, 200)));
  const int32_t deadZone = int32_t(std::lround(kReachedRadius * kPlotRadius));
  o->ops.ellipse(o, kPlotCentre, kPlotCentre, deadZone, deadZone);
  o->ops.set_mode(o, 0);

  const StickAxes axes = ControllerIndexValid(c) ? AxesOf(plot, c) : StickAxes{};
  const StickAxis ax = ControllerIndexValid(c) ? StickAxisOf(g_app.controllerCaps[c].axes[axes.x]) : StickAxis{};
  const StickAxis ay = ControllerIndexValid(c) ? StickAxisOf(g_app.controllerCaps[c].axes[axes.y]) : StickAxis{};
  if (ax.usable && ay.usable) {
    const StickTrack& track = g_stick.tracks[plot];
    // The furthest reach: a point in the middle of each direction reached, joined around.
    o->ops.set_front_colour(o, uint32_t(PackColour(40, 90, 200)));
    for (int32_t s = 0; s < kStickSectors; ++s) {
      int32_t next = (s + 1) % kStickSectors;
      if (track.reach[s] <= 0 || track.reach[next] <= 0) continue;
      double a = (s * 10 + 5) * std::numbers::pi / 180, b = (next * 10 + 5) * std::numbers::pi / 180;
      POINT from = At(track.reach[s] * std::cos(a), -track.reach[s] * std::sin(a));
      POINT to = At(track.reach[next] * std::cos(b), -track.reach[next] * std::sin(b));
      o->ops.line(o, from.x, from.y, to.x, to.y);
    }
    o->ops.set_front_colour(o, uint32_t(PackColour(240, 150, 30)));
    POINT last{};
    bool first = true;
    g_stick.trailShown = StickTrail(track, now, [&](const StickSample& s) {
                           POINT point = At(s.x, s.y);
                           if (!first) o->ops.line(o, last.x, last.y, point.x, point.y);
                           last = point;
                           first = false;
                         }) > 1;
    POINT dot = At(StickNormalised(ax, RawOf(c, axes.x)), StickNormalised(ay, RawOf(c, axes.y)));
    o->ops.set_front_colour(o, uint32_t(PackColour(210, 30, 30)));
    o->ops.ellipse(o, dot.x, dot.y, kDotRadius, kDotRadius);
  }
  drawing_stop();
  gadget_state_set(p.picture, intptr_t(image_handle(p.image)));
}

void AppendAxis(const char* name, const StickAxis& axis, uint32_t raw, bool offset) {
  AppendString(name);
  if (!axis.usable) AppendString("-");
  else if (offset) AppendPercent(StickNormalised(axis, raw), true);
  else FormatInteger(int32_t(raw), g_temp.pos);
}

void ShowTexts(int32_t plot, int32_t c) {
  const Plot& p = kPlots[plot];
  gadget_text_set(p.title, PlotTitle(plot, c));
  if (!ControllerIndexValid(c)) {
    gadget_text_set(p.raw, "Kein Gamepad erkannt.");
    gadget_text_set(p.offset, "Versatz: -");
    gadget_text_set(p.round, "Rundheit: -");
    return;
  }
  const StickAxes axes = AxesOf(plot, c);
  const StickAxis ax = StickAxisOf(g_app.controllerCaps[c].axes[axes.x]);
  const StickAxis ay = StickAxisOf(g_app.controllerCaps[c].axes[axes.y]);
  static const char* const kNames[kAxisCount] = {"X", "Y", "Z", "R", "U", "V"};
  for (bool offset : {false, true}) {
    TempExpression text;
    if (offset) text.Text("Versatz ");
    text.Text(kNames[axes.x]);
    AppendAxis(": ", ax, RawOf(c, axes.x), offset);
    text.Text("  ").Text(kNames[axes.y]);
    AppendAxis(": ", ay, RawOf(c, axes.y), offset);
    gadget_text_set(offset ? p.offset : p.raw, text.Finish());
  }
  TempExpression round;
  round.Text("Rundheit: ");
  double circularity = StickCircularity(g_stick.tracks[plot]);
  if (circularity < 0) round.Text("-");
  else AppendPercent(circularity, false);
  gadget_text_set(p.round, round.Finish());
}

void Redraw(int32_t c, uint32_t now) {
  for (int32_t plot = 0; plot < 2; ++plot) {
    DrawPlot(plot, c, now);
    ShowTexts(plot, c);
  }
  UpdateWindow(window_handle(kStickTestWindow));
  g_stick.drawn = true;
}

// The title follows the chosen item's text, "(getrennt)" and all.
void FollowTitle() {
  int32_t start = g_temp.pos;
  gadget_text_get(kControllerList, start);
  const char* item = g_temp.text + start;
  if (std::strncmp(item, g_stick.title, sizeof g_stick.title) != 0) {
    std::strncpy(g_stick.title, item, sizeof g_stick.title - 1);
    g_stick.title[sizeof g_stick.title - 1] = '\0';
    TempExpression title;
    title.Text("Stick-Test: ").Text(g_stick.title);
    SetWindowTextA(window_handle(kStickTestWindow), title.Finish());
  }
  SetTempPos(start);
}

void ClearTracks() {
  for (StickTrack& track : g_stick.tracks) StickClear(track);
  g_stick.drawn = false;
}

}  // namespace

bool StickTestIsOpen() { return g_stick.open; }

void StickTestOpen() {
  if (g_stick.open) {
    SetForegroundWindow(window_handle(kStickTestWindow));
    return;
  }
  HWND owner = window_handle(kMainWindow);
  if (!window_open(kStickTestWindow, 0, 0, 444, 345, "Stick-Test: ",
                   WINDOW_CENTRE_OWNER | WS_CAPTION | WS_SYSMENU, owner))
    return;
  window_shortcut_add(kStickTestWindow, VK_ESCAPE, kCommandStickTestClose);
  window_shortcut_add(kStickTestWindow, VK_F2, kCommandStickTest);
  for (const Plot& p : kPlots) {
    image_create(p.image, kPlotSize, kPlotSize, 24);
    edit_gadget_create(p.title, p.x, 5, 205, 20, "", 0);
    image_gadget_create(p.picture, p.x, 30, kPlotSize, kPlotSize, image_handle(p.image), WS_EX_CLIENTEDGE);
    edit_gadget_create(p.raw, p.x, 240, 205, 20, "", 0);
    edit_gadget_create(p.offset, p.x, 265, 205, 20, "", 0);
    edit_gadget_create(p.round, p.x, 290, 205, 20, "", 0);
    for (ObjectId field : {p.title, p.raw, p.offset, p.round}) edit_gadget_hold_text(field);
  }
  button_gadget_create(kStickClearButton, 177, 317, 90, 22, "Leeren");
  g_stick.open = true;
  g_stick.controller = -2;
  g_stick.title[0] = '\1';  // matches no item: the first pass sets the title
}

void StickTestClose() {
  if (!g_stick.open) return;
  window_close(kStickTestWindow);
  for (const Plot& p : kPlots) image_free(p.image);
  g_stick.open = false;
}

void StickTestClear() {
  ClearTracks();
}

void StickTestFollow() {
  if (!g_stick.open) return;
  const uint32_t now = Now();
  const int32_t c = g_app.selectedController;
  FollowTitle();
  if (c != g_stick.controller) {
    g_stick.controller = c;
    ClearTracks();
  }
  bool changed = !g_stick.drawn;
  if (ControllerIndexValid(c)) {
    for (int32_t a = 0; a < kAxisCount; ++a) {
      uint32_t raw = RawOf(c, ControllerAxis(a));
      if (raw != g_stick.raw[a]) changed = true;
      g_stick.raw[a] = raw;
    }
  }
  if (changed) {
    g_stick.changedAt = now;
    if (ControllerIndexValid(c)) {
      for (int32_t plot = 0; plot < 2; ++plot) {
        const StickAxes axes = AxesOf(plot, c);
        const StickAxis ax = StickAxisOf(g_app.controllerCaps[c].axes[axes.x]);
        const StickAxis ay = StickAxisOf(g_app.controllerCaps[c].axes[axes.y]);
        if (ax.usable && ay.usable)
          StickAdd(g_stick.tracks[plot], StickNormalised(ax, RawOf(c, axes.x)), StickNormalised(ay, RawOf(c, axes.y)),
                   now);
      }
    }
    Redraw(c, now);
  } else if (g_stick.trailShown && now - g_stick.changedAt > kTrailMilliseconds) {
    Redraw(c, now);  // the trail has run out
  }
}

bool StickTestEvent(int32_t code) {
  if (code == EVENT_CLOSE_REQUESTED && event_window() == kStickTestWindow) {
    StickTestClose();
    return true;
  }
  if (code == EVENT_GADGET && event_gadget() == kStickClearButton && g_stick.open) {
    StickTestClear();
    return true;
  }
  if (code == EVENT_GADGET && event_gadget() == kPictureGadget && event_type() == GADGET_RIGHT_CLICK) {
    menu_popup(kMainWindow, "Stick-Test (F2)", kCommandStickTest);
    return true;
  }
  if (code == EVENT_MENU && event_gadget() == kCommandStickTest) {
    if (g_stick.open && event_window() == kStickTestWindow) StickTestClose();
    else StickTestOpen();
    return true;
  }
  if (code == EVENT_MENU && event_gadget() == kCommandStickTestClose) {
    StickTestClose();
    return true;
  }
  return false;
}
