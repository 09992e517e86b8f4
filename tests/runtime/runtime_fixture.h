// A fresh runtime for each test: new heaps, every portable library started, and all of it
// torn down afterwards so LeakSanitizer sees what a test leaves behind.
#pragma once
#include <gtest/gtest.h>

#include "app/library_order.h"
#include "runtime/strings.h"

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override { StartRuntime(LibraryOrder()); }
  void TearDown() override {
    EndRuntime(LibraryOrder());
    EndRuntimeHeap();
    PlatformHeapDestroy(stringHeap);
    stringHeap = nullptr;
  }
};
