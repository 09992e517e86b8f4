// Platform seam of the runtime core: private heaps and the module handle.
// heap_win32.cpp binds it to Win32 private heaps; heap_host.cpp to a tracked heap of our
// own with the same contract, so the core runs natively under sanitizers.
#pragma once
#include <cstddef>

using HeapRef = void*;

// A growable private heap; 0 when it cannot be created.
HeapRef PlatformHeapCreate();
// A block of size bytes, zero-filled when zero is set; null when out of memory.
void* PlatformHeapAlloc(HeapRef heap, size_t size, bool zero);
// Resizes a block (null block: a new one); with zero set the grown part is zero-filled.
// Null when out of memory, and the old block is then untouched.
void* PlatformHeapReAlloc(HeapRef heap, void* block, size_t size, bool zero);
void PlatformHeapFree(HeapRef heap, void* block);
// Frees the heap and every block still in it.
void PlatformHeapDestroy(HeapRef heap);
// The program's own module (0 where there is no such thing).
void* PlatformModuleHandle();
