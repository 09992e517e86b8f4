// The controller model through the real winmm binding. With the virtual controller DLL
// side-loaded (WINEDLLOVERRIDES=winmm=n, VLMR_PAD_STATE naming a state file) the tests script
// the controllers by rewriting that file; with the system's winmm there is no controller.
// Also runs the checks that a shell test asks for after scripting the file with padctl.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "app/axes.h"
#include "app/controller.h"
#include "tests/runtime/runtime_fixture.h"
#include "tests/wine_only.h"

namespace {

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Paths in lower case: Windows file names compare without case.
std::string Lower(std::string text) {
  for (char& c : text) c = char(tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string LoadedWinmm() {
  char path[MAX_PATH] = {};
  HMODULE winmm = GetModuleHandleA("winmm.dll");
  if (winmm) GetModuleFileNameA(winmm, path, MAX_PATH);
  return Lower(path);
}

// The stand-in exports only what our programs import; the system's winmm has all of MCI.
bool SystemWinmmLoaded() {
  HMODULE winmm = GetModuleHandleA("winmm.dll");
  return winmm && GetProcAddress(winmm, "mciSendStringA");
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = Lower(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The state file as Windows opens it (a Unix path is on the Z: drive).
std::string StatePath() {
  char path[MAX_PATH] = {};
  GetEnvironmentVariableA("VLMR_PAD_STATE", path, MAX_PATH);
  std::string p = path;
  if (!p.empty() && p[0] == '/') {
    for (char& c : p)
      if (c == '/') c = '\\';
    p = "Z:" + p;
  }
  return p;
}

// Replaces the state file whole, as padctl does, and lets the DLL's read cache expire.
void WriteState(const std::string& text) {
  std::string path = StatePath(), temp = path + ".new";
  HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << temp;
  DWORD written = 0;
  WriteFile(h, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(h);
  ASSERT_TRUE(MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
  Sleep(5);
}

class WinmmTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    g_app = AppState{};
    AllocateControllerArrays();
  }
};

using VirtualPad = WinmmTest;
using SystemWinmm = WinmmTest;
using Padctl = WinmmTest;

TEST_F(VirtualPad, IsTheWinmmInUse) {
  EXPECT_EQ(LoadedWinmm(), ExeFolder() + "winmm.dll");
  EXPECT_FALSE(SystemWinmmLoaded());

  // The timer functions the program imports work through the stand-in too.
  HMODULE winmm = GetModuleHandleA("winmm.dll");
  auto beginPeriod = Export<UINT(WINAPI*)(UINT)>(winmm, "timeBeginPeriod");
  auto endPeriod = Export<UINT(WINAPI*)(UINT)>(winmm, "timeEndPeriod");
  auto getTime = Export<DWORD(WINAPI*)()>(winmm, "timeGetTime");
  auto numDevs = Export<UINT(WINAPI*)()>(winmm, "joyGetNumDevs");
  auto configChanged = Export<UINT(WINAPI*)(DWORD)>(winmm, "joyConfigChanged");
  ASSERT_TRUE(beginPeriod && endPeriod && getTime && numDevs && configChanged);
  EXPECT_EQ(configChanged(0), 0u);
  EXPECT_EQ(beginPeriod(1), 0u);
  EXPECT_EQ(endPeriod(1), 0u);
  EXPECT_EQ(beginPeriod(0), 97u) << "TIMERR_NOCANDO";
  EXPECT_EQ(numDevs(), 16u);
  DWORD before = getTime();
  Sleep(30);
  EXPECT_GE(getTime() - before, 29u) << "milliseconds";
}

TEST_F(VirtualPad, EnumeratesAndReadsScriptedControllers) {
  WriteState("count 3\n"
             "pad 0 x 65000 y 0 buttons 4 pov 9000 caps 0x57 nbuttons 10\n"
             "pad 1 min 0 max 1023 x 1023 unplugged 1\n"
             "pad 2 empty 1\n"
             "pad 3 x 1\n");
  ASSERT_EQ(EnumerateControllers(), 2);
  EXPECT_EQ(g_app.highestController, 1);
  EXPECT_EQ(g_app.controllerCaps[0].axes[kAxisX].max, 65535);
  EXPECT_EQ(g_app.controllerCaps[0].caps, 0x57u);
  EXPECT_EQ(g_app.controllerCaps[1].caps, 0x1Fu);
  EXPECT_EQ(g_app.controllerCaps[1].axes[kAxisV].max, 1023);
  EXPECT_EQ(g_app.controllerCaps[1].axes[kAxisV].centre, 511);
  EXPECT_STREQ(g_app.controllerNames[0], "") << "no name in the registry";

  EXPECT_EQ(PollControllers(0), 0);
  EXPECT_EQ(ControllerAxisX(0), 98);
  EXPECT_EQ(ControllerAxisY(0), -100);
  EXPECT_EQ(ControllerAxisZ(0), 0);
  EXPECT_EQ(ControllerButton(0, 2), 4);
  EXPECT_EQ(ControllerButtons(0), 4);
  EXPECT_EQ(ControllerPOV(0), 9000);
  SetDeadZoneX(0, 25);
  EXPECT_EQ(ControllerAxisX(0), 97);

  EXPECT_EQ(PollControllers(1), 167) << "unplugged";
  EXPECT_EQ(PollControllers(2), -1);
}

TEST_F(VirtualPad, FollowsTheFileWhileRunning) {
  WriteState("count 1\npad 0 pov 65535\n");
  ASSERT_EQ(EnumerateControllers(), 1);
  EXPECT_EQ(CheckControllerEvent(), 1);
  EXPECT_EQ(CheckControllerEvent(), 0);
  EXPECT_EQ(ControllerPOV(0), 65535);

  WriteState("count 1\npad 0 pov 18000 buttons 0x800\n");
  EXPECT_EQ(CheckControllerEvent(), 1);
  EXPECT_EQ(ControllerPOV(0), 18000);
  EXPECT_EQ(ControllerButton(0, 11), 2048);

  WriteState("count 1\npad 0 x 0 unplugged 1\n");
  EXPECT_EQ(PollControllers(0), 167);
  EXPECT_EQ(CheckControllerEvent(), 0) << "an unplugged controller keeps its readings";
  EXPECT_EQ(ControllerPOV(0), 18000);

  WriteState("count 1\npad 0 x 0\n");
  EXPECT_EQ(PollControllers(0), 0);
  EXPECT_EQ(ControllerAxisX(0), -100);
}

TEST_F(VirtualPad, BrokenDriversAndControllersPluggedInLater) {
  // A driver that answers every identifier: the platform's count ends the probe, and 16
  // at most whatever it claims.
  WriteState("count 1\nanyid 1\nnumdevs 4\n");
  EXPECT_EQ(EnumerateControllers(), 4);
  g_app = AppState{};
  AllocateControllerArrays();
  WriteState("count 1\nanyid 1\nnumdevs 4294967295\n");
  EXPECT_EQ(EnumerateControllers(), 16);
  EXPECT_EQ(PollControllers(15), 0);
  EXPECT_EQ(ControllerPOV(15), 65535);

  // A controller plugged in while running: the rescan appends it.
  g_app = AppState{};
  AllocateControllerArrays();
  WriteState("count 1\n");
  ASSERT_EQ(EnumerateControllers(), 1);
  WriteState("count 2\npad 1 pov 9000\n");
  EXPECT_EQ(RescanControllers(), 2);
  EXPECT_EQ(PollControllers(1), 0);
  EXPECT_EQ(ControllerPOV(1), 9000);
}

TEST_F(VirtualPad, NoFileOrNoVariableMeansNoController) {
  std::string missing = ExeFolder() + "no-such-pad-state.txt";
  ASSERT_TRUE(SetEnvironmentVariableA("VLMR_PAD_STATE", missing.c_str()));
  Sleep(5);
  EXPECT_EQ(EnumerateControllers(), 0);
  ASSERT_TRUE(SetEnvironmentVariableA("VLMR_PAD_STATE", nullptr));
  Sleep(5);
  EXPECT_EQ(EnumerateControllers(), 0);
  EXPECT_EQ(g_app.highestController, -1);
}

TEST_F(SystemWinmm, HasNoController) {
  VLMR_WINE_ONLY("the system's winmm through WINEDLLOVERRIDES, and no game controllers");
  ASSERT_TRUE(SystemWinmmLoaded());
  EXPECT_EQ(EnumerateControllers(), 0);
  EXPECT_EQ(PollControllers(0), -1);
}

// After padctl scripted: count 2, pad 0 x 65535 pov 27000 press 4, pad 1 unplugged, every
// identifier answering and 3 of them reported.
TEST_F(Padctl, ScriptedStateReadsBack) {
  ASSERT_EQ(EnumerateControllers(), 3);
  EXPECT_EQ(PollControllers(2), 0);
  EXPECT_EQ(PollControllers(0), 0);
  EXPECT_EQ(ControllerAxisX(0), 100);
  EXPECT_EQ(ControllerAxisY(0), 0);
  EXPECT_EQ(ControllerPOV(0), 27000);
  EXPECT_EQ(ControllerButton(0, 3), 8);
  EXPECT_EQ(ControllerButtons(0), 8);
  EXPECT_EQ(PollControllers(1), 167);
}

}  // namespace
