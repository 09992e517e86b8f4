// Structured arrays: zero-filled arrays of fixed-size elements owned by one array variable,
// with layout descriptors that name the strings, fixed arrays, embedded records and nested
// arrays inside an element so they can be created, freed and deep-copied.
#pragma once
#include <cstdint>

// Layout words are pointer-sized so that sub-layouts can be named inside a layout.
using LayoutWord = intptr_t;
constexpr LayoutWord kLayoutEnd = -1;
constexpr LayoutWord kLayoutFixedArray = -2;  // -2, count, offset, stride, sub-layout
constexpr LayoutWord kLayoutRecord = -3;      // -3, offset, (unused), sub-layout
constexpr LayoutWord kLayoutArray = -4;       // -4, offset, element size, count, type, sub-layout
// A word >= 0 is the offset of a string variable (char*).

struct ArrayHeader {
  int32_t kind;  // always 1
  int32_t elementSize;
  const LayoutWord* layout;
  void** owner;
  int32_t count;
  int32_t typeCode;
};

ArrayHeader* ArrayHeaderOf(void* data);
void arrays_library_init();

void* DeclareArray(int32_t elementSize, int32_t count, int32_t typeCode, const LayoutWord* layout,
                   void** variable);
void ReleaseArray(void* data);
int32_t CopyArrayContents(void* source, void* destination, int32_t resize);

// Hooks through which record code reaches nested arrays.
extern void* (*g_declareArrayHook)(int32_t, int32_t, int32_t, const LayoutWord*, void**);
extern int32_t (*g_copyArrayHook)(void*, void*, int32_t);
extern void (*g_releaseArrayHook)(void*);
