// Runtime start-up and teardown: the heaps and the walk over the fixed library orders.
#include "runtime/runtime.h"

#include <cstring>

RuntimeGlobals g_runtime;

void StartRuntime() {
  std::memset(&g_runtime, 0, sizeof g_runtime);
  g_runtime.instance = PlatformModuleHandle();
  g_runtime.objectHeap = PlatformHeapCreate();
  const RuntimeOrder& order = RuntimeLibraryOrder();
  for (size_t i = 0; i < order.startCount; ++i) order.start[i].run();
}

void EndRuntime() {
  const RuntimeOrder& order = RuntimeLibraryOrder();
  for (size_t i = 0; i < order.endCount; ++i) order.end[i].run();
}

void EndRuntimeHeap() {
  PlatformHeapDestroy(g_runtime.objectHeap);
  g_runtime.objectHeap = nullptr;
}

void* ObjectAlloc(size_t size) { return PlatformHeapAlloc(g_runtime.objectHeap, size, true); }

void* ObjectReAlloc(void* block, size_t size) {
  return PlatformHeapReAlloc(g_runtime.objectHeap, block, size, true);
}

void ObjectFree(void* block) { PlatformHeapFree(g_runtime.objectHeap, block); }
