// Handle tables: what a library keeps for platform handles it does not own (windows above
// all), found in the process's own memory instead of asking the system. A table is a small
// array searched entry by entry; each holds a few handles (the program's windows).
#pragma once
#include <cstdint>

struct HandleEntry {
  const void* handle;
  void* value;
};

struct HandleTable {
  HandleEntry* entries;  // objectHeap
  int32_t count;
  int32_t capacity;
};

// Sets the value kept for handle (replacing an earlier one); false when the heap refuses.
bool HandleTableSet(HandleTable* table, const void* handle, void* value);
// The value kept for handle, or null.
void* HandleTableGet(const HandleTable* table, const void* handle);
// Forgets handle; nothing when it is not in the table.
void HandleTableRemove(HandleTable* table, const void* handle);
// Forgets every handle and frees the entries.
void HandleTableClear(HandleTable* table);
