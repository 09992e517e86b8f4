// Structured arrays on objectHeap, with layout walks for dynamic contents.
#include "runtime/arrays.h"

#include <cstring>

#include "runtime/runtime.h"
#include "runtime/strings.h"

void* (*g_declareArrayHook)(int32_t, int32_t, int32_t, const LayoutWord*, void**);
int32_t (*g_copyArrayHook)(void*, void*, int32_t);
void (*g_releaseArrayHook)(void*);

void arrays_library_init() {
  g_declareArrayHook = DeclareArray;
  g_copyArrayHook = CopyArrayContents;
  g_releaseArrayHook = ReleaseArray;
}

ArrayHeader* ArrayHeaderOf(void* data) { return static_cast<ArrayHeader*>(data) - 1; }

namespace {

template <typename T>
T& FieldAt(unsigned char* record, LayoutWord offset) {
  return *reinterpret_cast<T*>(record + offset);
}

// Words taken by a layout entry, by its first word.
size_t EntryWords(LayoutWord first) {
  switch (first) {
    case kLayoutFixedArray: return 5;
    case kLayoutRecord: return 4;
    case kLayoutArray: return 6;
    case -5:
    case -6: return 5;
    default: return 1;
  }
}

bool HasNestedArrays(const LayoutWord* layout) {
  for (const LayoutWord* e = layout; *e != kLayoutEnd; e += EntryWords(*e)) {
    if (*e == kLayoutArray) return true;
    if (*e == kLayoutFixedArray && HasNestedArrays(reinterpret_cast<const LayoutWord*>(e[4]))) return true;
    if (*e == kLayoutRecord && HasNestedArrays(reinterpret_cast<const LayoutWord*>(e[3]))) return true;
  }
  return false;
}

void CreateNested(unsigned char* record, const LayoutWord* layout) {
  for (const LayoutWord* e = layout; *e != kLayoutEnd; e += EntryWords(*e)) {
    if (*e == kLayoutArray) {
      DeclareArray(int32_t(e[2]), int32_t(e[3]), int32_t(e[4]), reinterpret_cast<const LayoutWord*>(e[5]),
                   &FieldAt<void*>(record, e[1]));
    } else if (*e == kLayoutFixedArray) {
      for (LayoutWord i = 0; i < e[1]; ++i)
        CreateNested(record + e[2] + i * e[3], reinterpret_cast<const LayoutWord*>(e[4]));
    } else if (*e == kLayoutRecord) {
      CreateNested(record + e[1], reinterpret_cast<const LayoutWord*>(e[3]));
    }
  }
}

void FreeDynamic(unsigned char* record, const LayoutWord* layout) {
  for (const LayoutWord* e = layout; *e != kLayoutEnd; e += EntryWords(*e)) {
    if (*e >= 0) {
      FreeString(&FieldAt<char*>(record, *e));
    } else if (*e == kLayoutArray) {
      ReleaseArray(FieldAt<void*>(record, e[1]));
    } else if (*e == kLayoutFixedArray) {
      for (LayoutWord i = 0; i < e[1]; ++i)
        FreeDynamic(record + e[2] + i * e[3], reinterpret_cast<const LayoutWord*>(e[4]));
    } else if (*e == kLayoutRecord) {
      FreeDynamic(record + e[1], reinterpret_cast<const LayoutWord*>(e[3]));
    }
  }
}

// After a byte copy the record's dynamic fields still point at the source's contents:
// give each one a copy of its own.
void DeepenCopy(unsigned char* record, const LayoutWord* layout) {
  for (const LayoutWord* e = layout; *e != kLayoutEnd; e += EntryWords(*e)) {
    if (*e >= 0) {
      char*& text = FieldAt<char*>(record, *e);
      const char* shared = text;
      text = nullptr;
      NewString(&text, shared);
    } else if (*e == kLayoutArray) {
      void*& field = FieldAt<void*>(record, e[1]);
      void* shared = field;
      field = nullptr;
      if (shared) {
        ArrayHeader* h = ArrayHeaderOf(shared);
        if (DeclareArray(h->elementSize, h->count, h->typeCode, h->layout, &field))
          CopyArrayContents(shared, field, 0);
      }
    } else if (*e == kLayoutFixedArray) {
      for (LayoutWord i = 0; i < e[1]; ++i)
        DeepenCopy(record + e[2] + i * e[3], reinterpret_cast<const LayoutWord*>(e[4]));
    } else if (*e == kLayoutRecord) {
      DeepenCopy(record + e[1], reinterpret_cast<const LayoutWord*>(e[3]));
    }
  }
}

}  // namespace

void* DeclareArray(int32_t elementSize, int32_t count, int32_t typeCode, const LayoutWord* layout,
                   void** variable) {
  ReleaseArray(*variable);
  if (elementSize < 0 || count < 0) return nullptr;
  uint64_t bytes = uint64_t(elementSize) * uint64_t(count);
  auto* header = static_cast<ArrayHeader*>(ObjectAlloc(sizeof(ArrayHeader) + bytes));
  if (!header) return nullptr;
  *header = ArrayHeader{1, elementSize, layout, variable, count, typeCode};
  auto* data = reinterpret_cast<unsigned char*>(header + 1);
  *variable = data;
  if (layout && HasNestedArrays(layout))
    for (int32_t i = 0; i < count; ++i) CreateNested(data + size_t(i) * size_t(elementSize), layout);
  return data;
}

void ReleaseArray(void* data) {
  if (!data) return;
  ArrayHeader* header = ArrayHeaderOf(data);
  auto* bytes = static_cast<unsigned char*>(data);
  if (header->layout)
    for (int32_t i = 0; i < header->count; ++i)
      FreeDynamic(bytes + size_t(i) * size_t(header->elementSize), header->layout);
  if (header->owner) *header->owner = nullptr;
  ObjectFree(header);
}

int32_t CopyArrayContents(void* source, void* destination, int32_t resize) {
  if (!source || !destination) return 0;
  if (source == destination) return 1;
  ArrayHeader* src = ArrayHeaderOf(source);
  if (resize) {
    void** owner = ArrayHeaderOf(destination)->owner;
    if (!owner) return 0;
    destination = DeclareArray(src->elementSize, src->count, src->typeCode, src->layout, owner);
    if (!destination) return 0;
  }
  ArrayHeader* dst = ArrayHeaderOf(destination);
  if (src->count != dst->count || src->elementSize != dst->elementSize) return 0;
  auto* from = static_cast<unsigned char*>(source);
  auto* to = static_cast<unsigned char*>(destination);
  size_t size = size_t(src->elementSize);
  if (!src->layout) {
    std::memmove(to, from, size * size_t(src->count));
    return 1;
  }
  for (int32_t i = 0; i < src->count; ++i) {
    unsigned char* d = to + size_t(i) * size;
    FreeDynamic(d, src->layout);
    std::memcpy(d, from + size_t(i) * size, size);
    DeepenCopy(d, src->layout);
  }
  return 1;
}
