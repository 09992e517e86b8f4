// The program starts and ends its libraries in a fixed order. Every step StartRuntime and
// EndRuntime run with the program's tables is recorded, and after each one what the input
// and Direct3D layers, a window, a font, an image and the blending library still hold: on
// the way up Direct3D comes before the controllers' share of DirectInput, that before the
// keyboard's; on the way down the keyboard lets go first, then Direct3D, then the
// controllers, and windows go before fonts, fonts before images, images before blending.
// The libraries alone (LibraryOrder) are the program's start up to common controls and COM.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controller.h"
#include "app/library_order.h"
#include "graphics/decoder.h"
#include "graphics/drawing.h"
#include "graphics/image.h"
#include "graphics/image_display.h"
#include "runtime/arrays.h"
#include "runtime/strings.h"
#include "toolkit/dinput_shared.h"
#include "toolkit/events.h"
#include "toolkit/font.h"
#include "toolkit/gadget.h"
#include "toolkit/joystick.h"
#include "toolkit/keyboard.h"
#include "toolkit/keyboard_state.h"
#include "toolkit/screen.h"
#include "toolkit/screen_state.h"
#include "toolkit/window.h"

namespace {

// A step is known by its operation, or, where the table wraps one whose result the program
// ignores (run is null), by its name and what it leaves held.
struct Expected {
  void (*run)();
  const char* library;
};

const Expected kStart[] = {
    {strings_library_init, "strings"},          {decoder_registry_init, "image decoders"},
    {image_display_init, "blending support"},   {image_library_init, "images"},
    {drawing_library_init, "drawing"},          {arrays_library_init, "arrays"},
    {font_library_init, "fonts"},               {event_library_init, "event queue"},
    {window_library_init, "windows"},           {gadget_library_init, "gadgets"},
    {bmp_decoder_register, "BMP decoder"},      {controls_library_init, "common controls and COM"},
    {AllocateControllerArrays, "controller arrays"}, {nullptr, "Direct3D layer"},
    {nullptr, "DirectInput controllers"},       {nullptr, "keyboard"},
    {png_decoder_register, "PNG decoder"},
};
constexpr size_t kLibrarySteps = 12;

const Expected kEnd[] = {
    {keyboard_end, "keyboard"}, {screen_library_end, "Direct3D layer"}, {joystick_end, "DirectInput controllers"},
    {gadget_library_end, "gadgets"}, {window_library_end, "windows"}, {font_library_end, "fonts"},
    {image_library_end, "images"}, {image_display_end, "blending support"},
};

HWND g_window;
HFONT g_font;
HBITMAP g_image;

struct Step {
  void (*run)();
  std::string library;
  // What is still held after the step, one digit each: keyboard, Direct3D, DirectInput
  // users, the window, the font, the image, msimg32.
  std::string holding;
};
std::vector<Step> g_steps;

void Record(const RuntimeStep& step) {
  std::string holding = std::to_string(g_keyboard.initialised) + std::to_string(g_screen.initialised) +
                        std::to_string(directinput_users()) + (IsWindow(g_window) ? "1" : "0") +
                        (GetObjectType(g_font) == OBJ_FONT ? "1" : "0") +
                        (GetObjectType(g_image) == OBJ_BITMAP ? "1" : "0") + (g_imageDisplay.msimg32 ? "1" : "0");
  g_steps.push_back({step.run, step.library, holding});
}

template <size_t N>
void ExpectSteps(const Expected (&expected)[N]) {
  ASSERT_EQ(g_steps.size(), N);
  for (size_t i = 0; i < N; ++i) {
    if (expected[i].run)
      EXPECT_EQ(g_steps[i].run, expected[i].run)
          << "step " << i + 1 << " ran " << g_steps[i].library << ", not " << expected[i].library;
    else
      EXPECT_EQ(g_steps[i].library, expected[i].library) << "step " << i + 1;
  }
}

TEST(LibraryOrder, StartAndEndRunEveryStepInItsPlace) {
  g_runtimeStepDone = Record;
  StartRuntime(ProgramOrder());
  ExpectSteps(kStart);
  // msimg32 from the third step on; nothing of the input and Direct3D layers before the
  // program's own steps, then Direct3D, the controllers' DirectInput and the keyboard's.
  std::vector<std::string> started(2, "0000000");
  started.resize(13, "0000001");
  started.insert(started.end(), {"0100001", "0110001", "1120001", "1120001"});
  for (size_t i = 0; i < g_steps.size(); ++i)
    EXPECT_EQ(g_steps[i].holding, started[i]) << "after " << g_steps[i].library;

  // What the program holds at its end besides: a window, a font and an image, none of them
  // freed by hand.
  g_window = reinterpret_cast<HWND>(window_open(0, 0, 0, 200, 100, "order", 0, nullptr));
  g_font = reinterpret_cast<HFONT>(font_load(1, "Arial", 10));
  g_image = reinterpret_cast<HBITMAP>(image_create(1, 4, 4));
  ASSERT_TRUE(g_window && g_font && g_image);

  g_steps.clear();
  EndRuntime(ProgramOrder());
  g_runtimeStepDone = nullptr;
  ExpectSteps(kEnd);
  const char* const holding[] = {"0111111", "0011111", "0001111", "0001111",
                                 "0000111", "0000011", "0000001", "0000000"};
  for (size_t i = 0; i < g_steps.size(); ++i)
    EXPECT_EQ(g_steps[i].holding, holding[i]) << "after " << g_steps[i].library;

  EndRuntimeHeap();
  PlatformHeapDestroy(stringHeap);
  stringHeap = nullptr;
}

TEST(LibraryOrder, TheLibrariesAloneAreTheProgramsStartUpToComAndItsWholeEnd) {
  const RuntimeOrder& program = ProgramOrder();
  const RuntimeOrder& libraries = LibraryOrder();
  EXPECT_EQ(libraries.start, program.start);
  ASSERT_EQ(libraries.startCount, kLibrarySteps);
  EXPECT_EQ(libraries.start[kLibrarySteps - 1].run, controls_library_init);
  EXPECT_EQ(libraries.end, program.end);
  EXPECT_EQ(libraries.endCount, program.endCount);
}

}  // namespace
