// Win32 binding of the runtime's platform seam: private heaps from kernel32.
#include "runtime/platform.h"

#include <windows.h>

HeapRef PlatformHeapCreate() { return HeapCreate(0, 4096, 0); }

void* PlatformHeapAlloc(HeapRef heap, size_t size, bool zero) {
  return HeapAlloc(static_cast<HANDLE>(heap), zero ? HEAP_ZERO_MEMORY : 0, size);
}

void* PlatformHeapReAlloc(HeapRef heap, void* block, size_t size, bool zero) {
  if (!block) return PlatformHeapAlloc(heap, size, zero);
  return HeapReAlloc(static_cast<HANDLE>(heap), zero ? HEAP_ZERO_MEMORY : 0, block, size);
}

void PlatformHeapFree(HeapRef heap, void* block) {
  if (block) HeapFree(static_cast<HANDLE>(heap), 0, block);
}

void PlatformHeapDestroy(HeapRef heap) {
  if (heap) HeapDestroy(static_cast<HANDLE>(heap));
}

void* PlatformModuleHandle() { return GetModuleHandleA(nullptr); }
