// Handle tables: a grow-only array of (handle, value) pairs; removal moves the last entry
// into the gap. Depends on objectHeap.
#include "runtime/handle_table.h"

#include "runtime/runtime.h"

namespace {

constexpr int32_t kGrowth = 8;

HandleEntry* Find(const HandleTable* table, const void* handle) {
  if (!handle) return nullptr;
  for (int32_t i = 0; i < table->count; ++i)
    if (table->entries[i].handle == handle) return &table->entries[i];
  return nullptr;
}

}  // namespace

bool HandleTableSet(HandleTable* table, const void* handle, void* value) {
  if (!handle) return false;
  if (HandleEntry* entry = Find(table, handle)) {
    entry->value = value;
    return true;
  }
  if (table->count == table->capacity) {
    void* grown = ObjectReAlloc(table->entries, sizeof(HandleEntry) * size_t(table->capacity + kGrowth));
    if (!grown) return false;
    table->entries = static_cast<HandleEntry*>(grown);
    table->capacity += kGrowth;
  }
  table->entries[table->count++] = {handle, value};
  return true;
}

void* HandleTableGet(const HandleTable* table, const void* handle) {
  HandleEntry* entry = Find(table, handle);
  return entry ? entry->value : nullptr;
}

void HandleTableRemove(HandleTable* table, const void* handle) {
  HandleEntry* entry = Find(table, handle);
  if (entry) *entry = table->entries[--table->count];
}

void HandleTableClear(HandleTable* table) {
  ObjectFree(table->entries);
  *table = {};
}
