// Runtime start-up and teardown, and the object heap every library allocates from. The
// runtime runs the start and end steps it is given; which libraries there are and in which
// order they come is the program's to say (Vellomir's: app/library_order.h).
#pragma once
#include <cstddef>
#include <cstdint>

#include "runtime/platform.h"

struct RuntimeGlobals {
  HeapRef objectHeap;  // object lists, library state, arrays, pools, drawing state
  void* instance;      // the program's own module (icon resource 1 lives there)
};

extern RuntimeGlobals g_runtime;

// One step of the start or end: a library's initialiser or end operation.
struct RuntimeStep {
  const char* library;
  void (*run)();
};

// The start steps and the end steps, each run in the order given.
struct RuntimeOrder {
  const RuntimeStep* start;
  size_t startCount;
  const RuntimeStep* end;
  size_t endCount;
};

// Zero-fills the runtime globals, takes the module handle, creates objectHeap and runs the
// order's start steps.
void StartRuntime(const RuntimeOrder& order);
// Runs the order's end steps. objectHeap stays: the caller destroys it (EndRuntimeHeap)
// once nothing of the runtime is used any more.
void EndRuntime(const RuntimeOrder& order);
// Destroys objectHeap (the last step before the process ends).
void EndRuntimeHeap();

// objectHeap helpers: zero-filled blocks, null when out of memory.
void* ObjectAlloc(size_t size);
void* ObjectReAlloc(void* block, size_t size);  // grown part zero-filled
void ObjectFree(void* block);

// When set, called after each start and end step has run (tests record the order with it).
extern void (*g_runtimeStepDone)(const RuntimeStep& step);
