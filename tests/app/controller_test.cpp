// The controller model over a scripted joystick interface: enumeration, polling, button and
// hat readers, axis scaling with dead zones, and the change detector.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/axes.h"
#include "app/controller.h"
#include "runtime/arrays.h"
#include "tests/app/controller_fake.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

class ControllerTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    g_app = AppState{};
    g_fake = FakeJoysticks{};
    AllocateControllerArrays();
  }

  // Enumerates the scripted pads and forgets the calls that took.
  int32_t Enumerate(std::vector<FakePad> pads) {
    g_fake.pads = std::move(pads);
    int32_t count = EnumerateControllers();
    g_fake.capsCalls = g_fake.posCalls = 0;
    return count;
  }

  // Scaled X of controller 0 for one raw position.
  int32_t ScaledX(uint32_t raw) {
    g_fake.pads[0].reading.dwXpos = raw;
    PollControllers(0);
    return ControllerAxisX(0);
  }
};

TEST_F(ControllerTest, EnumerationFindsEveryIdentifierPastEmptyOnes) {
  FakePad first = MakePad(0, 65535);
  first.caps.wCaps = 0x3F;
  first.name = "Wireless Controller";
  FakePad second = MakePad(100, 201);
  second.caps.wRmin = 7;
  second.caps.wRmax = 9;
  FakePad empty = MakePad();
  empty.present = false;
  FakePad behind = MakePad();
  behind.name = "Pro Controller";

  g_fake.pads = {first, second, empty, behind};
  EXPECT_EQ(EnumerateControllers(), 3);
  EXPECT_EQ(g_app.highestController, 3);
  EXPECT_EQ(ArrayHeaderOf(g_app.controllerCaps)->count, 4);
  EXPECT_EQ(ArrayHeaderOf(g_app.controllerPositions)->count, 4);
  EXPECT_EQ(ArrayHeaderOf(g_app.controllerSnapshots)->count, 4);
  EXPECT_EQ(g_fake.capsCalls, 16) << "each identifier the platform supports, once";
  EXPECT_EQ(g_fake.nameCalls, 3) << "names of controllers only";
  EXPECT_STREQ(g_app.controllerNames[0], "Wireless Controller");
  EXPECT_STREQ(g_app.controllerNames[1], "");
  EXPECT_STREQ(g_app.controllerNames[3], "Pro Controller");

  const AxisRange& x0 = g_app.controllerCaps[0].axes[kAxisX];
  EXPECT_EQ(x0.min, 0);
  EXPECT_EQ(x0.max, 65535);
  EXPECT_EQ(x0.centre, 32767);
  EXPECT_EQ(x0.span, 65535);
  EXPECT_EQ(x0.deadZone, 0);
  EXPECT_EQ(g_app.controllerCaps[0].caps, 0x3Fu);
  const AxisRange& x1 = g_app.controllerCaps[1].axes[kAxisX];
  EXPECT_EQ(x1.centre, 150);
  EXPECT_EQ(x1.span, 101);
  const AxisRange& r1 = g_app.controllerCaps[1].axes[kAxisR];
  EXPECT_EQ(r1.min, 7);
  EXPECT_EQ(r1.max, 9);
  EXPECT_EQ(r1.centre, 8);
  for (int c : {0, 1, 3}) {
    const JoyInfoEx& p = g_app.controllerPositions[c];
    EXPECT_EQ(p.dwSize, 52u);
    EXPECT_EQ(p.dwFlags, 0xFFu);
    EXPECT_EQ(p.dwPOV, 65535u) << "at rest before the first poll";
    EXPECT_EQ(p.dwButtons, 0u);
  }
  EXPECT_EQ(g_app.controllerPositions[1].dwXpos, 150u);
  EXPECT_EQ(g_app.controllerPositions[1].dwRpos, 8u);
}

TEST_F(ControllerTest, EmptyIdentifiersAreNeverPolledOrRead) {
  FakePad empty = MakePad();
  empty.present = false;
  empty.reading.dwPOV = 9000;
  ASSERT_EQ(Enumerate({empty, MakePad(), empty}), 1);
  EXPECT_EQ(g_app.highestController, 1);
  EXPECT_FALSE(ControllerIndexValid(0));
  EXPECT_TRUE(ControllerIndexValid(1));

  EXPECT_EQ(PollControllers(0), -1);
  EXPECT_EQ(PollControllers(2), -1);
  EXPECT_EQ(g_fake.posCalls, 0);
  EXPECT_EQ(PollControllers(-1), 0);
  EXPECT_EQ(CheckControllerEvent(), 1);
  EXPECT_EQ(g_fake.posCalls, 2) << "identifier 1 alone, by polling all and by the check";
  EXPECT_EQ(ControllerPOV(0), 0);
  EXPECT_EQ(SetDeadZoneX(0, 25), 0);
  EXPECT_EQ(g_app.controllerCaps[0].axes[kAxisX].deadZone, 0);
  EXPECT_EQ(CheckControllerEvent(), 0);
  EXPECT_EQ(g_fake.capsCalls, 0) << "identifiers are probed at enumeration only";
}

TEST_F(ControllerTest, EnumerationEndsWhereThePlatformsIdentifiersEnd) {
  // A driver that answers every identifier: the platform's count, and never more than 16.
  g_fake.everyId = true;
  const std::pair<uint32_t, int32_t> cases[] = {{0, 0}, {3, 3}, {16, 16}, {17, 16}, {0xFFFFFFFFu, 16}};
  for (auto [numDevs, expected] : cases) {
    g_app = AppState{};
    AllocateControllerArrays();
    g_fake.numDevs = numDevs;
    EXPECT_EQ(Enumerate({}), expected) << "joyGetNumDevs " << numDevs;
    EXPECT_EQ(g_app.highestController, expected - 1);
  }
}

TEST_F(ControllerTest, AControllerThatNeverAnswersRestsUntilItDoes) {
  FakePad silent = MakePad(0, 1023);
  silent.result = kJoyErrUnplugged;
  ASSERT_EQ(Enumerate({silent}), 1);
  SetDeadZoneX(0, 25);
  EXPECT_TRUE(ControllerAnswering(0)) << "nothing is known before the first poll";
  EXPECT_EQ(PollControllers(0), 167);
  EXPECT_EQ(CheckControllerEvent(), 1) << "the first check shows the resting readout";
  EXPECT_FALSE(ControllerAnswering(0));
  const int32_t axes[] = {ControllerAxisX(0), ControllerAxisY(0), ControllerAxisZ(0),
                          ControllerAxisR(0), ControllerAxisU(0), ControllerAxisV(0)};
  for (int32_t value : axes) EXPECT_EQ(value, 0);
  EXPECT_EQ(ControllerButtons(0), 0);
  EXPECT_EQ(ControllerPOV(0), 65535);
  EXPECT_EQ(CheckControllerEvent(), 0);

  g_fake.pads[0].result = kJoyErrNoError;
  g_fake.pads[0].reading.dwXpos = 1023;
  EXPECT_EQ(CheckControllerEvent(), 1);
  EXPECT_TRUE(ControllerAnswering(0));
  EXPECT_EQ(ControllerAxisX(0), 100);
  EXPECT_FALSE(ControllerAnswering(1));
}

TEST_F(ControllerTest, RescanAppendsNewControllersAndKeepsTheKnownOnes) {
  ASSERT_EQ(Enumerate({MakePad()}), 1);
  SetDeadZoneX(0, 25);
  g_fake.pads[0].reading.dwButtons = 4;
  CheckControllerEvent();
  ControllerCaps* caps = g_app.controllerCaps;

  EXPECT_EQ(RescanControllers(), 1) << "nothing new";
  EXPECT_EQ(g_fake.configChanges, 1) << "the platform re-reads its list first";
  EXPECT_EQ(g_app.controllerCaps, caps) << "an unchanged table is not reallocated";

  FakePad second = MakePad(0, 255);
  second.reading.dwPOV = 9000;
  g_fake.pads.push_back(second);
  EXPECT_EQ(RescanControllers(), 2);
  EXPECT_EQ(g_app.highestController, 1);
  EXPECT_EQ(ArrayHeaderOf(g_app.controllerSnapshots)->count, 2);
  EXPECT_EQ(ArrayHeaderOf(g_app.controllerPositions)->owner, reinterpret_cast<void**>(&g_app.controllerPositions));
  EXPECT_EQ(g_app.controllerCaps[0].axes[kAxisX].deadZone, 8191) << "known records kept";
  EXPECT_EQ(ControllerButtons(0), 4);
  EXPECT_EQ(g_app.controllerCaps[1].axes[kAxisX].max, 255);
  EXPECT_EQ(ControllerPOV(1), 65535) << "the new one rests until polled";
  EXPECT_EQ(CheckControllerEvent(), 1) << "a grown table is shown again";
  EXPECT_EQ(ControllerPOV(1), 9000);

  // A controller that went away keeps its place; identifiers end at the platform's count.
  g_fake.pads[0].present = false;
  g_fake.numDevs = 3;
  g_fake.everyId = true;
  EXPECT_EQ(RescanControllers(), 3);
  EXPECT_EQ(RescanControllers(), 3);
  EXPECT_EQ(g_app.highestController, 2);
  EXPECT_EQ(ControllerButtons(0), 4);
}

TEST_F(ControllerTest, APadPluggedInAtAnEarlierEmptyIdentifierJoinsThere) {
  FakePad empty = MakePad();
  empty.present = false;
  ASSERT_EQ(Enumerate({MakePad(), empty, MakePad()}), 2);
  SetDeadZoneX(2, 25);
  g_fake.pads[1] = MakePad(0, 1023);
  EXPECT_EQ(RescanControllers(), 3);
  EXPECT_EQ(g_fake.capsCalls, 14) << "the known identifiers 0 and 2 are not asked again";
  EXPECT_EQ(g_app.highestController, 2);
  EXPECT_EQ(g_app.controllerCaps[1].axes[kAxisX].max, 1023);
  EXPECT_EQ(g_app.controllerCaps[2].axes[kAxisX].deadZone, 8191) << "known records kept";
  EXPECT_EQ(CheckControllerEvent(), 1);
  EXPECT_EQ(g_fake.posCalls, 3);
}

TEST_F(ControllerTest, WithoutControllersNothingIsPolled) {
  FakePad empty = MakePad();
  empty.present = false;
  EXPECT_EQ(Enumerate({empty}), 0);
  EXPECT_EQ(g_app.highestController, -1);
  EXPECT_EQ(ArrayHeaderOf(g_app.controllerCaps)->count, 1);

  EXPECT_EQ(PollControllers(0), -1);
  EXPECT_EQ(PollControllers(-1), 0);
  EXPECT_EQ(g_fake.posCalls, 0);
  EXPECT_EQ(ControllerPOV(0), 0);
  EXPECT_EQ(ControllerAxisX(0), 0);
  EXPECT_EQ(CheckControllerEvent(), 0);
  ForceControllerRefresh();
  EXPECT_EQ(CheckControllerEvent(), 0) << "nothing to refresh without a controller";
}

TEST_F(ControllerTest, PollingReachesOnlyValidIndices) {
  ASSERT_EQ(Enumerate({MakePad(), MakePad()}), 2);
  EXPECT_EQ(PollControllers(-2), -1);
  EXPECT_EQ(PollControllers(2), -1);
  EXPECT_EQ(g_fake.posCalls, 0);

  EXPECT_EQ(PollControllers(-1), 0);
  EXPECT_EQ(g_fake.posCalls, 2);
  EXPECT_EQ(PollControllers(1), 0);
  EXPECT_EQ(g_fake.posCalls, 3);
  EXPECT_EQ(ControllerPOV(1), 65535);
}

TEST_F(ControllerTest, AnUnpluggedControllerKeepsItsLastReadings) {
  ASSERT_EQ(Enumerate({MakePad(), MakePad()}), 2);
  g_fake.pads[1].reading.dwButtons = 4;
  g_fake.pads[1].reading.dwPOV = 9000;
  ASSERT_EQ(PollControllers(1), 0);

  g_fake.pads[1].result = kJoyErrUnplugged;
  g_fake.pads[1].reading.dwButtons = 0;
  g_fake.pads[1].reading.dwPOV = 18000;
  EXPECT_EQ(PollControllers(1), 167);
  EXPECT_EQ(PollControllers(-1), 0) << "polling all swallows the failure";
  EXPECT_EQ(ControllerButtons(1), 4);
  EXPECT_EQ(ControllerPOV(1), 9000);
}

TEST_F(ControllerTest, ButtonsReadTheirOwnBit) {
  ASSERT_EQ(Enumerate({MakePad()}), 1);
  g_fake.pads[0].reading.dwButtons = 8;
  PollControllers(0);
  EXPECT_EQ(ControllerButton(0, 3), 8);
  EXPECT_EQ(ControllerButtons(0), 8);
  EXPECT_EQ(ControllerButton(0, 2), 0);

  g_fake.pads[0].reading.dwButtons = 0xFFFFFFFFu;
  PollControllers(0);
  EXPECT_EQ(ControllerButton(0, 0), 1);
  EXPECT_EQ(ControllerButton(0, 11), 2048);
  EXPECT_EQ(ControllerButton(0, 31), INT32_MIN);
  EXPECT_EQ(ControllerButton(0, 32), 0);
  EXPECT_EQ(ControllerButton(0, -1), 0);
  EXPECT_EQ(ControllerButton(1, 0), 0);
  EXPECT_EQ(ControllerButton(-1, 0), 0);
  EXPECT_EQ(ControllerButtons(1), 0);
  EXPECT_EQ(ControllerPOV(-1), 0);
}

TEST_F(ControllerTest, ScalingWithoutDeadZoneRoundsDownOnBothSides) {
  ASSERT_EQ(Enumerate({MakePad(0, 65535)}), 1);
  const std::pair<uint32_t, int32_t> cases[] = {
      {32766, -1}, {32767, 0}, {33094, 0}, {33095, 1}, {40000, 22},
      {65534, 99}, {65535, 100}, {0, -100}, {1, -100}, {100, -100}};
  for (auto [raw, expected] : cases) EXPECT_EQ(ScaledX(raw), expected) << "raw " << raw;
}

TEST_F(ControllerTest, EachReaderScalesItsOwnAxis) {
  ASSERT_EQ(Enumerate({MakePad(0, 65535)}), 1);
  JoyInfoEx& r = g_fake.pads[0].reading;
  r.dwXpos = 65535;
  r.dwYpos = 0;
  r.dwZpos = 40000;
  r.dwRpos = 32766;
  r.dwUpos = 65534;
  r.dwVpos = 32767;
  PollControllers(0);
  EXPECT_EQ(ControllerAxisX(0), 100);
  EXPECT_EQ(ControllerAxisY(0), -100);
  EXPECT_EQ(ControllerAxisZ(0), 22);
  EXPECT_EQ(ControllerAxisR(0), -1);
  EXPECT_EQ(ControllerAxisU(0), 99);
  EXPECT_EQ(ControllerAxisV(0), 0);
  EXPECT_EQ(ControllerAxisX(1), 0);
  EXPECT_EQ(ControllerAxisX(-1), 0);
}

TEST_F(ControllerTest, AQuarterDeadZone) {
  ASSERT_EQ(Enumerate({MakePad(0, 65535)}), 1);
  EXPECT_EQ(SetDeadZoneX(0, 25), 0);
  const AxisRange& x = g_app.controllerCaps[0].axes[kAxisX];
  EXPECT_EQ(x.centre, 32767);
  EXPECT_EQ(x.deadZone, 8191);
  EXPECT_EQ(x.span, 49153);
  EXPECT_EQ(x.deadZonePercent, 25);
  const std::pair<uint32_t, int32_t> cases[] = {
      {24575, -1}, {24576, 0}, {32767, 0}, {40958, 0}, {41203, 0}, {41204, 1},
      {0, -100},   {65000, 97}, {65534, 99}, {65535, 100}};
  for (auto [raw, expected] : cases) EXPECT_EQ(ScaledX(raw), expected) << "raw " << raw;

  SetDeadZoneX(0, 25);
  EXPECT_EQ(x.span, 49153) << "repeated calls do not accumulate";
  EXPECT_EQ(g_app.controllerCaps[0].axes[kAxisY].deadZone, 0) << "other axes untouched";
  SetDeadZoneY(0, 25);
  SetDeadZoneZ(0, 25);
  SetDeadZoneR(0, 25);
  EXPECT_EQ(g_app.controllerCaps[0].axes[kAxisU].deadZone, 0);
  SetDeadZoneU(0, 25);
  SetDeadZoneV(0, 25);
  for (int a : {kAxisY, kAxisZ, kAxisR, kAxisU, kAxisV}) EXPECT_EQ(g_app.controllerCaps[0].axes[a].span, 49153);
  g_fake.pads[0].reading.dwUpos = 40958;
  g_fake.pads[0].reading.dwVpos = 0;
  PollControllers(0);
  EXPECT_EQ(ControllerAxisU(0), 0);
  EXPECT_EQ(ControllerAxisV(0), -100);
}

TEST_F(ControllerTest, DeadZoneLimits) {
  ASSERT_EQ(Enumerate({MakePad(0, 65535), MakePad(0, 65534)}), 2);
  const AxisRange& x = g_app.controllerCaps[0].axes[kAxisX];

  SetDeadZoneX(0, 100);
  EXPECT_EQ(x.deadZone, 32767);
  EXPECT_EQ(x.span, 1);
  EXPECT_EQ(ScaledX(65535), 100) << "200 ends at full deflection";
  for (uint32_t raw : {0u, 1u, 32767u, 65534u}) EXPECT_EQ(ScaledX(raw), 0) << "raw " << raw;

  SetDeadZoneX(1, 100);
  EXPECT_EQ(g_app.controllerCaps[1].axes[kAxisX].span, 0);
  for (uint32_t raw : {0u, 65534u, 65535u}) {
    g_fake.pads[1].reading.dwXpos = raw;
    PollControllers(1);
    EXPECT_EQ(ControllerAxisX(1), 0) << "raw " << raw;
  }

  for (int32_t bad : {101, -1}) {
    SetDeadZoneX(0, bad);
    EXPECT_EQ(x.deadZonePercent, 100);
    EXPECT_EQ(x.span, 1);
  }
  SetDeadZoneX(0, 0);
  EXPECT_EQ(x.deadZone, 0);
  EXPECT_EQ(x.span, 65535);

  const AppState before = g_app;
  SetDeadZoneX(-1, 25);
  SetDeadZoneR(2, 25);
  EXPECT_EQ(g_app.controllerCaps, before.controllerCaps);
  EXPECT_EQ(x.deadZone, 0);
  EXPECT_EQ(g_app.controllerCaps[1].axes[kAxisR].deadZone, 0);
}

TEST_F(ControllerTest, OddRangesStayWithinFullDeflection) {
  // Whatever a driver reports as range and position, the reading is -100..100, and a range
  // without room reads 0. Ranges beyond int32 wrap like the platform's integers.
  struct Case {
    uint32_t min, max, raw;
    int32_t deadZone, expected;
  };
  const Case cases[] = {
      {5000, 5000, 0, 0, 0},           {5000, 5000, 0xFFFFFFFFu, 25, 0},
      {300, 300, 0, 25, 0},            {0, 0xFFFFFFFFu, 0x80000000u, 0, 0},
      {0, 0xFFFFFFFFu, 12345, 25, 0},  {1000, 0, 0, 0, 0},
      {1000, 0, 1000, 25, 0},          {10, 20, 0xFFFFFFFFu, 0, -100},
      {10, 20, 21, 0, 100},            {0, 0x7FFFFFFFu, 0x7FFFFFFFu, 0, 100},
      {0, 0x7FFFFFFFu, 0, 0, -100}, {0x80000000u, 0x7FFFFFFFu, 5, 0, 0},
      {0x7FFFFFFFu, 0x7FFFFFFFu, 0, 50, 0}};
  for (const Case& c : cases) {
    g_app = AppState{};
    AllocateControllerArrays();
    FakePad pad = MakePad(c.min, c.max);
    ASSERT_EQ(Enumerate({pad}), 1);
    EXPECT_EQ(ControllerAxisX(0), 0) << "at rest before any poll, " << c.min << ".." << c.max;
    SetDeadZoneX(0, c.deadZone);
    EXPECT_EQ(ScaledX(c.raw), c.expected) << c.min << ".." << c.max << " raw " << c.raw << " dead zone "
                                          << c.deadZone;
  }
}

TEST_F(ControllerTest, DetectorReportsEachChangeOnce) {
  ASSERT_EQ(Enumerate({MakePad(), MakePad()}), 2);
  SetDeadZoneX(0, 25);
  EXPECT_EQ(CheckControllerEvent(), 1) << "the first check after enumeration refreshes";
  EXPECT_EQ(g_fake.posCalls, 2) << "the check polls every controller";
  EXPECT_EQ(CheckControllerEvent(), 0);

  g_fake.pads[0].reading.dwPOV = 9000;
  EXPECT_EQ(CheckControllerEvent(), 1) << "hat alone";
  EXPECT_EQ(CheckControllerEvent(), 0);

  g_fake.pads[1].reading.dwButtons = 2;
  EXPECT_EQ(CheckControllerEvent(), 1) << "second controller";
  EXPECT_EQ(CheckControllerEvent(), 0);

  g_fake.pads[1].reading.dwUpos = 65535;
  EXPECT_EQ(CheckControllerEvent(), 1) << "U alone";
  EXPECT_EQ(CheckControllerEvent(), 0);

  g_fake.pads[0].reading.dwXpos = 40000;
  EXPECT_EQ(CheckControllerEvent(), 0) << "a move inside the dead zone reads the same";
  g_fake.pads[0].reading.dwXpos = 65535;
  EXPECT_EQ(CheckControllerEvent(), 1);

  // Both change at once: the scan stops at the first, yet both snapshots follow.
  g_fake.pads[0].reading.dwButtons = 1;
  g_fake.pads[1].reading.dwVpos = 0;
  EXPECT_EQ(CheckControllerEvent(), 1);
  EXPECT_EQ(g_app.controllerSnapshots[1].v, -100);
  EXPECT_EQ(g_app.controllerSnapshots[1].buttons, 2);
  EXPECT_EQ(g_app.controllerSnapshots[0].x, 100);
  EXPECT_EQ(g_app.controllerSnapshots[0].pov, 9000);
  EXPECT_EQ(CheckControllerEvent(), 0);
}

TEST_F(ControllerTest, ForcedRefreshReportsOnceWithUnchangedReadings) {
  ASSERT_EQ(Enumerate({MakePad()}), 1);
  CheckControllerEvent();
  ASSERT_EQ(CheckControllerEvent(), 0);
  ForceControllerRefresh();
  EXPECT_EQ(CheckControllerEvent(), 1);
  EXPECT_EQ(CheckControllerEvent(), 0);

  g_fake.pads[0].result = kJoyErrUnplugged;
  g_fake.pads[0].reading.dwPOV = 0;
  EXPECT_EQ(CheckControllerEvent(), 0) << "an unplugged controller reads as before";
  EXPECT_EQ(ControllerPOV(0), 65535) << "what the failed poll wrote is not taken";
}

}  // namespace
