// Mode masking, writers and readers, gradients, and the shapes: boxes, lines, ellipses
// (including the 64-bit range) and the flood fill.
#include "graphics/shapes.h"
#include "tests/graphics/drawing_canvas_fixture.h"

namespace {

using ShapesTest = CanvasTest;

int32_t CountColour(TestImage& image, uint32_t bytes) {
  int32_t n = 0;
  for (int32_t y = 0; y < image.buffer.height; ++y)
    for (int32_t x = 0; x < image.buffer.width; ++x) n += image.Bytes(x, y) == bytes;
  return n;
}

TEST_F(ShapesTest, SetModeMasksByDepth) {
  TestImage narrow(2, 2, 3), wide(2, 2, 4);
  Attach(narrow);
  canvas_set_mode(&canvas, 0x118);
  EXPECT_EQ(canvas.mode, 0x000);
  Attach(wide);
  canvas_set_mode(&canvas, 0x118);
  EXPECT_EQ(canvas.mode, 0x100);
  canvas_set_mode(&canvas, MODE_ALPHA_BLEND);
  EXPECT_TRUE(canvas.premultiply);
  canvas_set_front_colour(&canvas, 0x80000010);
  EXPECT_EQ(canvas.front.red, 0x10 * 0x80);
  canvas_set_mode(&canvas, MODE_ALPHA_BLEND | MODE_XOR);
  EXPECT_FALSE(canvas.premultiply);
  EXPECT_EQ(canvas.front.red, 0x10);
  // The custom bit without a filter blends the front colour like plain blending.
  canvas_set_mode(&canvas, MODE_ALPHA_BLEND | MODE_CUSTOM);
  EXPECT_EQ(canvas.front.red, 0x10 * 0x80);
}

TEST_F(ShapesTest, WritersAndReadersFollowTheMode) {
  TestImage narrow(2, 1, 3, 0x10), wide(2, 1, 4, 0x10);
  Attach(narrow);
  canvas_set_front_colour(&canvas, 0x80332211);
  canvas.plot(&canvas, 0, 0);
  EXPECT_EQ(canvas.point(&canvas, 0, 0), 0x332211u);
  canvas_set_mode(&canvas, MODE_XOR);
  canvas.plot(&canvas, 0, 0);
  EXPECT_EQ(narrow.Bytes(0, 0), 0u);
  canvas_set_mode(&canvas, MODE_ALPHA_CHANNEL);
  canvas.plot(&canvas, 1, 0);
  EXPECT_EQ(narrow.Bytes(1, 0), 0x101010u);
  // Blend on 24 bits: (pixel × 127 + component × 128) / 255 → 0x10 and 0x22 become 0x19.
  canvas_set_mode(&canvas, MODE_ALPHA_BLEND);
  canvas.plot_colour(&canvas, 1, 0, 0x80102210);
  EXPECT_EQ(narrow.Bytes(1, 0), 0x101910u);

  Attach(wide);
  canvas_set_front_colour(&canvas, 0x80332211);
  canvas.plot(&canvas, 0, 0);
  EXPECT_EQ(wide.Bytes(0, 0), 0x10112233u);  // alpha untouched in mode 0
  EXPECT_EQ(canvas.point(&canvas, 0, 0), 0x332211u);
  canvas_set_mode(&canvas, MODE_ALL_CHANNELS);
  canvas.plot(&canvas, 0, 0);
  EXPECT_EQ(canvas.point(&canvas, 0, 0), 0x80332211u);
  canvas_set_mode(&canvas, MODE_ALPHA_CHANNEL);
  canvas.plot_colour(&canvas, 1, 0, 0x7F000000);
  EXPECT_EQ(wide.Bytes(1, 0), 0x7F101010u);
  // Blend onto a transparent pixel takes the colour; the alpha becomes the colour's.
  wide.Set(1, 0, 0, 0, 0, 0);
  canvas_set_mode(&canvas, MODE_ALPHA_BLEND);
  canvas.plot_colour(&canvas, 1, 0, 0x40102030);
  EXPECT_EQ(wide.Bytes(1, 0), 0x40302010u);
}

float Half(int32_t, int32_t) { return 0.5f; }
float BeforeStart(int32_t, int32_t) { return -1.0f; }

TEST_F(ShapesTest, GradientColours) {
  TestImage image(2, 1, 3);
  Attach(image);
  canvas_set_mode(&canvas, MODE_GRADIENT);
  canvas.plot(&canvas, 0, 0);
  EXPECT_EQ(image.Bytes(0, 0), 0xFFFFFFu);  // position 1.0: the end colour
  canvas.gradient_function = Half;
  EXPECT_EQ(canvas_gradient_colour(&canvas, 0, 0), 0xFF7F7F7Fu);
  ASSERT_TRUE(canvas_add_gradient_stop(&canvas, 0.75f, 0xFF0000C8));
  ASSERT_TRUE(canvas_add_gradient_stop(&canvas, 0.25f, 0xFF000064));
  EXPECT_EQ(canvas_gradient_colour(&canvas, 0, 0), 0xFF000096u);  // halfway from red 100 to 200
  ASSERT_TRUE(canvas_add_gradient_stop(&canvas, 1.0f, 0x11223344));
  canvas.gradient_function = nullptr;
  EXPECT_EQ(canvas_gradient_colour(&canvas, 0, 0), 0x11223344u);
  // Before a stop at position 0 the mix would divide by zero: the start colour stands.
  ASSERT_TRUE(canvas_add_gradient_stop(&canvas, 0.0f, 0xFF0000FF));
  canvas.gradient_function = BeforeStart;
  EXPECT_EQ(canvas_gradient_colour(&canvas, 0, 0), 0xFF000000u);
}

TEST_F(ShapesTest, BoxesFilledAndOutlined) {
  TestImage image(40, 5, 3);
  Attach(image);
  canvas_set_front_colour(&canvas, 0xFFFFFF);
  shape_box(&canvas, 20, 1, -10, 3);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 40; ++x)
      ASSERT_EQ(image.Bytes(x, y), x >= 10 && x <= 19 && y >= 1 && y <= 3 ? 0xFFFFFFu : 0u) << x << "," << y;

  TestImage frame(6, 5, 3);
  Attach(frame);
  canvas_set_mode(&canvas, MODE_OUTLINED | MODE_XOR);
  canvas_set_front_colour(&canvas, 0x0000FF);
  shape_box(&canvas, 0, 0, 6, 5);
  EXPECT_EQ(CountColour(frame, 0xFF0000), 2 * 6 + 2 * 3);  // every edge pixel once
  EXPECT_EQ(frame.Bytes(1, 1), 0u);
  shape_box(&canvas, -1000000, -5, 2000000, 2);  // wholly above: nothing
  shape_box(&canvas, 0, 0, 0, 5);
  EXPECT_EQ(CountColour(frame, 0xFF0000), 2 * 6 + 2 * 3);
}

TEST_F(ShapesTest, LinesHitTheirEndPointsAndClip) {
  TestImage image(12, 6, 3);
  Attach(image);
  canvas_set_front_colour(&canvas, 0xFFFFFF);
  shape_line(&canvas, 0, 0, 9, 3);
  EXPECT_EQ(CountColour(image, 0xFFFFFF), 10);
  EXPECT_EQ(image.Bytes(0, 0), 0xFFFFFFu);
  EXPECT_EQ(image.Bytes(9, 3), 0xFFFFFFu);
  TestImage clipped(12, 6, 3);
  Attach(clipped);
  canvas_set_front_colour(&canvas, 0xFFFFFF);
  shape_line(&canvas, -2147483647, -2147483647, 2147483647, 2147483647);
  EXPECT_EQ(clipped.Bytes(5, 5), 0xFFFFFFu);
  shape_line(&canvas, 20, -5, 40, 3);  // wholly outside
  shape_line(&canvas, 3, -100, 3, 100);
  EXPECT_EQ(CountColour(clipped, 0xFFFFFF), 6 + 5);
}

TEST_F(ShapesTest, EllipseWithRadius701IsClosed) {
  const int32_t size = 1407, centre = 703;
  TestImage image(size, size, 3);
  Attach(image);
  canvas_set_front_colour(&canvas, 0x0000FF);
  canvas_set_mode(&canvas, MODE_OUTLINED);
  shape_ellipse(&canvas, centre, centre, 701, 701);
  EXPECT_EQ(image.Bytes(centre - 701, centre), 0xFF0000u);
  EXPECT_EQ(image.Bytes(centre + 701, centre), 0xFF0000u);
  EXPECT_EQ(image.Bytes(centre, centre - 701), 0xFF0000u);
  EXPECT_EQ(image.Bytes(centre, centre + 701), 0xFF0000u);
  // A fill from the centre bounded by the outline must not leak to the corners.
  canvas_set_mode(&canvas, 0);
  canvas_set_front_colour(&canvas, 0x00FF00);
  shape_fill_area(&canvas, centre, centre, 0x0000FF);
  EXPECT_EQ(image.Bytes(centre, centre), 0x00FF00u);
  EXPECT_EQ(image.Bytes(0, 0), 0u);
  EXPECT_EQ(image.Bytes(size - 1, size - 1), 0u);

  // The filled ellipse covers the same area as outline plus inside.
  int32_t outlined = CountColour(image, 0xFF0000) + CountColour(image, 0x00FF00);
  TestImage filled(size, size, 3);
  Attach(filled);
  canvas_set_front_colour(&canvas, 0x0000FF);
  shape_ellipse(&canvas, centre, centre, 701, 701);
  EXPECT_EQ(CountColour(filled, 0xFF0000), outlined);
}

TEST_F(ShapesTest, SmallEllipseAndRoundBoxShapes) {
  TestImage image(9, 7, 3);
  Attach(image);
  canvas_set_front_colour(&canvas, 0xFFFFFF);
  canvas_set_mode(&canvas, MODE_XOR);
  shape_ellipse(&canvas, 4, 3, 4, 3);
  // XOR shows any line drawn twice: each row is one span, symmetric about the centre.
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 9; ++x) ASSERT_EQ(image.Bytes(x, y), image.Bytes(8 - x, 6 - y));
  EXPECT_EQ(image.Bytes(0, 3), 0xFFFFFFu);
  EXPECT_EQ(image.Bytes(0, 0), 0u);

  TestImage box(10, 8, 3);
  Attach(box);
  canvas_set_mode(&canvas, MODE_XOR);
  canvas_set_front_colour(&canvas, 0xFFFFFF);
  shape_round_box(&canvas, 0, 0, 10, 8, 3, 2);
  EXPECT_EQ(box.Bytes(0, 0), 0u);
  EXPECT_EQ(box.Bytes(9, 7), 0u);
  EXPECT_EQ(box.Bytes(0, 4), 0xFFFFFFu);
  EXPECT_EQ(box.Bytes(5, 0), 0xFFFFFFu);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(box.Bytes(x, y), box.Bytes(9 - x, 7 - y)) << x << "," << y;
  shape_round_box(&canvas, 0, 0, 10, 8, 0, 0);  // square corners: the XOR clears the corners
  EXPECT_EQ(box.Bytes(0, 0), 0xFFFFFFu);
  EXPECT_EQ(box.Bytes(5, 4), 0u);
}

TEST_F(ShapesTest, FillByBorderAndByEqualColour) {
  TestImage image(10, 8, 3);
  Attach(image);
  canvas_set_front_colour(&canvas, 0x0000FF);
  canvas_set_mode(&canvas, MODE_OUTLINED);
  shape_box(&canvas, 2, 1, 6, 5);  // border red around columns 3..6, lines 2..4
  image.Set(4, 3, 0, 0xFF, 0);     // a green pixel inside, not the border
  canvas_set_mode(&canvas, 0);
  canvas_set_front_colour(&canvas, 0xFF0000);
  shape_fill_area(&canvas, 3, 2, 0x0000FF);
  EXPECT_EQ(CountColour(image, 0x0000FF), 12);  // blue inside, the green pixel too
  EXPECT_EQ(image.Bytes(0, 0), 0u);
  EXPECT_EQ(image.Bytes(2, 1), 0xFF0000u);

  // Equal colour: the black outside, around the frame, up to every other colour.
  canvas_set_front_colour(&canvas, 0x00FF00);
  shape_fill_area(&canvas, 0, 0, -1);
  EXPECT_EQ(CountColour(image, 0x00FF00), 80 - 18 - 12);
  EXPECT_EQ(CountColour(image, 0x0000FF), 12);
  // Filling a region with its own colour ends, and changes nothing.
  shape_fill_area(&canvas, 0, 0, -1);
  EXPECT_EQ(CountColour(image, 0x00FF00), 50);
  // Outside the canvas: nothing.
  shape_fill_area(&canvas, -1, 0, -1);
  shape_fill_area(&canvas, 10, 0, -1);
  shape_fill_area(&canvas, 0, 8, 0);
  EXPECT_EQ(CountColour(image, 0x00FF00), 50);
}

}  // namespace
