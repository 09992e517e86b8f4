// Toolkit tests under Wine: the runtime started once per test program, helpers that drain
// the event pump and record what it returned, and a fixture that leaves no window behind.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/library_order.h"
#include "toolkit/events.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_stack.h"
#include "toolkit/window.h"

struct PolledEvent {
  int32_t code;
  ObjectId object;
  int32_t type;
};

// Polls until the pump reports nothing; every returned event in order.
inline std::vector<PolledEvent> Drain() {
  std::vector<PolledEvent> events;
  for (int i = 0; i < 10000; ++i) {
    int32_t code = event_poll();
    if (!code) break;
    events.push_back({code, event_gadget(), event_type()});
  }
  return events;
}

inline bool HasGadgetEvent(const std::vector<PolledEvent>& events, ObjectId gadget, int32_t type) {
  for (const PolledEvent& e : events)
    if (e.code == EVENT_GADGET && e.object == gadget && e.type == type) return true;
  return false;
}

inline SIZE WindowSize(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

class RuntimeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { StartRuntime(LibraryOrder()); }
  void TearDown() override { EndRuntime(LibraryOrder()); }
};

// Window 0 (620 x 300, flags 2, like the program's) is the current gadget list in each test.
class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = reinterpret_cast<HWND>(window_open(0, 0, 0, 620, 300, "Toolkit test", 2));
    ASSERT_NE(main_, nullptr);
    Drain();
  }
  void TearDown() override {
    window_close(0);
    Drain();
  }
  HWND main_ = nullptr;
};

#define VLMR_TOOLKIT_MAIN()                                                \
  int main(int argc, char** argv) {                                       \
    ::testing::InitGoogleTest(&argc, argv);                               \
    ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);          \
    return RUN_ALL_TESTS();                                               \
  }
