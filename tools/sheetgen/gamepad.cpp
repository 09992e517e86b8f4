// The gamepad artwork, drawn from the anti-aliased shapes of raster.h. Every control sits
// inside its patch rectangle (layout.h); a lit control changes only pixels that no other
// patch covers, which the generator verifies.
#include "gamepad.h"

#include "layout.h"
#include "raster.h"
#include "strokefont.h"

namespace {

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};
const Rgb kBackTop{232, 233, 236}, kBackBottom{208, 210, 215};
const Rgb kBodyTop{92, 98, 111}, kBodyBottom{40, 44, 52};
const Rgb kKeyTop{82, 88, 101}, kKeyBottom{46, 50, 59};
const Rgb kWellTop{22, 24, 29}, kWellBottom{44, 48, 56};
const Rgb kInk{214, 218, 226};      // labels on resting keys
const Rgb kPrint{150, 157, 170};    // lettering printed on the body
const Rgb kLitTop{255, 204, 112}, kLitBottom{242, 126, 32};
const Rgb kLitInk{84, 40, 0};

float centre_x(int control) { return float(kPatches[control].x) + float(kPatches[control].w) / 2; }
float centre_y(int control) { return float(kPatches[control].y) + float(kPatches[control].h) / 2; }

Paint lit_paint(float cy, float r) { return vertical(kLitTop, kLitBottom, cy - r, cy + r); }

// A soft orange halo that stays within `r` + 1 of the centre, so inside a 20 × 20 patch.
void glow(PixelBuffer& out, const Shape& s) { fill(out, s, solid(kLitBottom), 0.35f, 1.2f); }

// Light catching the top edge and shade on the bottom edge of a raised shape.
void bevel(PixelBuffer& out, const Shape& s, float strength) {
  fill(out, subtract(s, shift(s, 0, 1.2f)), solid(kWhite), 0.22f * strength);
  fill(out, subtract(s, shift(s, 0, -1.2f)), solid(kBlack), 0.3f * strength);
}

void drop_shadow(PixelBuffer& out, const Shape& s, float dy, float softness, float opacity) {
  fill(out, shift(s, 0, dy), solid(kBlack), opacity, softness);
}

Shape body_shape() {
  Shape top = round_rect(13, 12, 287, 112, 40);
  Shape left = capsule(62, 92, 36, 148, 33);
  Shape right = capsule(238, 92, 264, 148, 33);
  Shape middle = round_rect(62, 80, 238, 166, 26);
  return unite(unite(unite(top, left, 16), right, 16), middle, 16);
}

void draw_body(PixelBuffer& out) {
  Shape body = body_shape();
  drop_shadow(out, body, 3, 4, 0.35f);
  fill(out, body, vertical(kBodyTop, kBodyBottom, 12, 180));
  // A faint raised face plate keeps the large dark surface from looking flat.
  fill(out, grow(body, -5), vertical({104, 110, 124}, {50, 54, 63}, 16, 176), 0.45f, 2);
  bevel(out, body, 1.5f);
  fill(out, text_shape("VELLOMIR", 148, 36, 5, 1.1f), solid(kPrint));
}

// Shoulder buttons 5-8 peek out above the body's top edge, so they are drawn before it.
void draw_shoulder(PixelBuffer& out, int control, const char* label, bool lit) {
  float cx = centre_x(control);
  Shape tab = round_rect(cx - 8.5f, 1.5f, cx + 8.5f, 24, 5);
  fill(out, tab, lit ? vertical(kLitTop, kLitBottom, 1.5f, 13) : vertical(kKeyTop, kKeyBottom, 1.5f, 13));
  bevel(out, tab, 1);
  fill(out, text_shape(label, cx, 7.5f, 5.5f, 1.3f), solid(lit ? kLitInk : kInk));
}

// The round plate the four face buttons sit on, and the matching one under the hat.
void draw_plate(PixelBuffer& out, float cx, float cy, float r) {
  Shape plate = circle(cx, cy, r);
  fill(out, plate, vertical({30, 33, 39}, {50, 54, 63}, cy - r, cy + r), 0.75f);
  fill(out, subtract(plate, shift(plate, 0, -1.2f)), solid(kWhite), 0.15f);
}

void draw_face_button(PixelBuffer& out, int control, const char* label, bool lit) {
  float cx = centre_x(control), cy = centre_y(control);
  Shape key = circle(cx, cy, 8.5f);
  drop_shadow(out, key, 1.2f, 1.2f, 0.5f);
  if (lit) glow(out, circle(cx, cy, 9));
  fill(out, key, lit ? lit_paint(cy, 8.5f) : vertical(kKeyTop, kKeyBottom, cy - 8.5f, cy + 8.5f));
  bevel(out, key, 1);
  fill(out, text_shape(label, cx, cy, 7, 1.5f), solid(lit ? kLitInk : kInk));
}

void draw_centre_button(PixelBuffer& out, int control, const char* label, bool lit) {
  float cx = centre_x(control), cy = centre_y(control);
  Shape pill = capsule(cx - 4.5f, cy, cx + 4.5f, cy, 4.5f);
  drop_shadow(out, pill, 1, 1, 0.5f);
  if (lit) glow(out, capsule(cx - 3.5f, cy, cx + 3.5f, cy, 5));
  fill(out, pill, lit ? lit_paint(cy, 4.5f) : vertical(kKeyTop, kKeyBottom, cy - 4.5f, cy + 4.5f));
  bevel(out, pill, 1);
  fill(out, text_shape(label, cx, cy + 14, 4.5f, 1.1f), solid(kPrint));
}

void draw_stick(PixelBuffer& out, int control, const char* label, bool lit) {
  float cx = centre_x(control), cy = centre_y(control);
  Shape well = circle(cx, cy, 13.5f);
  fill(out, well, vertical(kWellTop, kWellBottom, cy - 13.5f, cy + 13.5f));
  fill(out, subtract(well, shift(well, 0, -1.2f)), solid(kWhite), 0.18f);
  Shape cap = circle(cx, cy, 9);
  drop_shadow(out, cap, 1.5f, 1.3f, 0.6f);
  if (lit) glow(out, circle(cx, cy, 9));
  fill(out, cap, lit ? lit_paint(cy, 9) : vertical({100, 106, 120}, {54, 58, 67}, cy - 9, cy + 9));
  bevel(out, cap, 1);
  // The dished top of the cap: dark at the top, light at the bottom.
  fill(out, circle(cx, cy, 6.3f),
       lit ? vertical({236, 132, 40}, {255, 196, 104}, cy - 6, cy + 6)
           : vertical({50, 54, 63}, {84, 90, 103}, cy - 6, cy + 6));
  fill(out, text_shape(label, cx, cy, 4.5f, 1.1f), solid(lit ? kLitInk : kInk));
}

// The hat: a cross split into four arms and a hub. A lit arm lights only its own segment,
// outside the hub where the arms' patches overlap.
void draw_hat(PixelBuffer& out, int lit) {
  const float cx = 60, cy = 73;
  draw_plate(out, cx, cy, 26);
  Shape cross = unite(round_rect(cx - 8, cy - 20, cx + 8, cy + 20, 3.5f),
                      round_rect(cx - 20, cy - 8, cx + 20, cy + 8, 3.5f));
  drop_shadow(out, cross, 1.5f, 1.5f, 0.55f);
  fill(out, cross, vertical(kKeyTop, kKeyBottom, cy - 20, cy + 20));
  struct Arm {
    Box segment;   // the part of the cross lit for this arm
    float tip[6];  // its arrow
  };
  const Arm arms[4] = {
      {{cx - 9, cy - 21, cx + 9, cy - 10.5f}, {cx, cy - 17, cx - 3.5f, cy - 12.5f, cx + 3.5f, cy - 12.5f}},
      {{cx + 10.5f, cy - 9, cx + 21, cy + 9}, {cx + 17, cy, cx + 12.5f, cy - 3.5f, cx + 12.5f, cy + 3.5f}},
      {{cx - 9, cy + 10.5f, cx + 9, cy + 21}, {cx, cy + 17, cx - 3.5f, cy + 12.5f, cx + 3.5f, cy + 12.5f}},
      {{cx - 21, cy - 9, cx - 10.5f, cy + 9}, {cx - 17, cy, cx - 12.5f, cy - 3.5f, cx - 12.5f, cy + 3.5f}},
  };
  for (int i = 0; i < 4; ++i) {
    const Arm& a = arms[i];
    bool on = lit == kArmUp + i;
    Shape seg = intersect(cross, round_rect(a.segment.x0, a.segment.y0, a.segment.x1, a.segment.y1, 0));
    if (on) fill(out, seg, lit_paint(cy, 20));
    const float* t = a.tip;
    fill(out, triangle(t[0], t[1], t[2], t[3], t[4], t[5]), solid(on ? kLitInk : Rgb{128, 134, 148}));
  }
  bevel(out, cross, 1);
  // Grooves between the arms and the hub.
  Shape hub = round_rect(cx - 10.5f, cy - 10.5f, cx + 10.5f, cy + 10.5f, 0);
  fill(out, intersect(cross, outline(hub, 0.8f)), solid(kBlack), 0.35f);
  fill(out, circle(cx, cy, 4.5f), vertical({40, 44, 52}, {76, 82, 95}, cy - 4.5f, cy + 4.5f));
}

// The eight direction markers around the hat: small pin holes that light up as dots.
void draw_marker(PixelBuffer& out, int control, bool lit) {
  float cx = centre_x(control), cy = centre_y(control);
  if (lit) {
    fill(out, circle(cx, cy, 5), solid(kLitBottom), 0.45f, 2);
    fill(out, circle(cx, cy, 3.8f), lit_paint(cy, 3.8f));
    fill(out, circle(cx - 0.8f, cy - 0.8f, 1.3f), solid(kWhite), 0.8f);
  } else {
    fill(out, circle(cx, cy + 0.6f, 2.4f), solid(kWhite), 0.12f);
    fill(out, circle(cx, cy, 2.2f), solid({24, 26, 31}));
  }
}

// Value areas: a dark window at rest; lit, a white panel with an orange rim on which the
// program prints the axis value (its text background is white too).
void draw_axis(PixelBuffer& out, int control, const char* letter, bool lit) {
  const Patch& p = kPatches[control];
  // Inset 1 pixel at top and bottom so the white reaches from the text's top row (patch
  // y + 3) down past its lowest one.
  Shape panel = round_rect(float(p.x) + 1.5f, float(p.y) + 1, float(p.x + p.w) - 1.5f,
                           float(p.y + p.h) - 1, 4);
  if (lit) {
    fill(out, panel, lit_paint(centre_y(control), 9));
    fill(out, grow(panel, -1.3f), solid(kWhite));
  } else {
    fill(out, panel, vertical(kWellTop, kWellBottom, float(p.y), float(p.y + p.h)));
    fill(out, subtract(panel, shift(panel, 0, -1.2f)), solid(kWhite), 0.18f);
  }
  fill(out, text_shape(letter, float(p.x) - 6, centre_y(control), 6, 1.3f), solid(kPrint));
}

}  // namespace

void draw_gamepad(PixelBuffer& out, int lit) {
  fill(out, round_rect(0, 0, kPictureWidth, kPictureHeight, 0),
       vertical(kBackTop, kBackBottom, 0, kPictureHeight));
  static const char* const kShoulderLabels[4] = {"5", "6", "7", "8"};
  for (int k = 4; k < 8; ++k) draw_shoulder(out, k, kShoulderLabels[k - 4], lit == k);
  draw_body(out);
  draw_plate(out, 240, 75, 37);
  static const char* const kFaceLabels[4] = {"1", "2", "3", "4"};
  for (int k = 0; k < 4; ++k) draw_face_button(out, k, kFaceLabels[k], lit == k);
  draw_centre_button(out, 8, "9", lit == 8);
  draw_centre_button(out, 9, "10", lit == 9);
  draw_stick(out, 10, "11", lit == 10);
  draw_stick(out, 11, "12", lit == 11);
  draw_hat(out, lit);
  for (int m = kMarker0; m < kMarker0 + 8; ++m) draw_marker(out, m, lit == m);
  static const char* const kAxisLetters[4] = {"X", "Y", "Z", "R"};
  for (int a = 0; a < 4; ++a) draw_axis(out, kAxisX + a, kAxisLetters[a], lit == kAxisX + a);
}
