// Runtime start-up and teardown: the heaps and the walk over the start and end steps the
// program gives.
#include "runtime/runtime.h"

#include <cstring>

RuntimeGlobals g_runtime;
void (*g_runtimeStepDone)(const RuntimeStep& step);

namespace {

void RunSteps(const RuntimeStep* steps, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    steps[i].run();
    if (g_runtimeStepDone) g_runtimeStepDone(steps[i]);
  }
}

}  // namespace

void StartRuntime(const RuntimeOrder& order) {
  std::memset(&g_runtime, 0, sizeof g_runtime);
  g_runtime.instance = PlatformModuleHandle();
  g_runtime.objectHeap = PlatformHeapCreate();
  RunSteps(order.start, order.startCount);
}

void EndRuntime(const RuntimeOrder& order) { RunSteps(order.end, order.endCount); }

void EndRuntimeHeap() {
  PlatformHeapDestroy(g_runtime.objectHeap);
  g_runtime.objectHeap = nullptr;
}

void* ObjectAlloc(size_t size) { return PlatformHeapAlloc(g_runtime.objectHeap, size, true); }

void* ObjectReAlloc(void* block, size_t size) {
  return PlatformHeapReAlloc(g_runtime.objectHeap, block, size, true);
}

void ObjectFree(void* block) { PlatformHeapFree(g_runtime.objectHeap, block); }
