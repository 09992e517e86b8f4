// Runtime start-up and teardown, and the object heap every library allocates from.
#pragma once
#include <cstddef>
#include <cstdint>

#include "runtime/platform.h"

struct RuntimeGlobals {
  HeapRef objectHeap;  // object lists, library state, arrays, pools, drawing state
  void* instance;      // the program's own module (icon resource 1 lives there)
};

extern RuntimeGlobals g_runtime;

// Zero-fills the runtime globals, takes the module handle, creates objectHeap and runs every
// library initialiser in the fixed start order (runtime/library_order_*.cpp).
void StartRuntime();
// Runs every library end operation in the fixed end order. objectHeap stays: the caller
// destroys it (EndRuntimeHeap) once nothing of the runtime is used any more.
void EndRuntime();
// Destroys objectHeap (the last step before the process ends).
void EndRuntimeHeap();

// objectHeap helpers: zero-filled blocks, null when out of memory.
void* ObjectAlloc(size_t size);
void* ObjectReAlloc(void* block, size_t size);  // grown part zero-filled
void ObjectFree(void* block);

// One library's place in the start or end order.
struct RuntimeStep {
  const char* library;
  void (*run)();
};

struct RuntimeOrder {
  const RuntimeStep* start;
  size_t startCount;
  const RuntimeStep* end;
  size_t endCount;
};

// The fixed orders, defined once per target.
const RuntimeOrder& RuntimeLibraryOrder();

// When set, called after each start and end step has run (tests record the order with it).
extern void (*g_runtimeStepDone)(const RuntimeStep& step);
