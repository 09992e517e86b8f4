// Numbered-object registry and node chains.
#include "runtime/objects.h"

#include <cstring>

#include "runtime/runtime.h"

ObjectNode* NodeOf(void* payload) { return static_cast<ObjectNode*>(payload) - 1; }
void* PayloadOf(ObjectNode* node) { return node + 1; }

void* AddNode(ObjectNode** head, size_t payloadSize) {
  auto* node = static_cast<ObjectNode*>(ObjectAlloc(sizeof(ObjectNode) + payloadSize));
  if (!node) return nullptr;
  node->next = *head;
  if (*head) (*head)->prev = node;
  *head = node;
  return PayloadOf(node);
}

void RemoveNode(ObjectNode** head, void* payload) {
  ObjectNode* node = NodeOf(payload);
  if (node == *head) {
    *head = node->next;
    if (*head) (*head)->prev = nullptr;
  } else {
    if (node->prev) node->prev->next = node->next;
    if (node->next) node->next->prev = node->prev;
  }
  ObjectFree(node);
}

ObjectList* NewObjectList(int32_t objectSize, int32_t step, FreeObjectFn freeObject) {
  auto* list = static_cast<ObjectList*>(ObjectAlloc(sizeof(ObjectList)));
  if (!list) return nullptr;
  list->objectSize = objectSize;
  list->step = step;
  list->capacity = step;
  list->freeObject = freeObject;
  list->slots = static_cast<unsigned char*>(ObjectAlloc(size_t(objectSize) * size_t(step)));
  if (!list->slots) list->capacity = 0;
  return list;
}

void DeleteObjectList(ObjectList* list) {
  if (!list) return;
  while (list->dynamicObjects) RemoveNode(&list->dynamicObjects, PayloadOf(list->dynamicObjects));
  ObjectFree(list->slots);
  ObjectFree(list);
}

static bool IsStatic(const ObjectList* list, ObjectId id) { return id >= 0 && id < list->capacity; }

static ObjectNode* FindDynamic(const ObjectList* list, ObjectId id) {
  for (ObjectNode* node = list->dynamicObjects; node; node = node->next)
    if (reinterpret_cast<ObjectId>(PayloadOf(node)) == id) return node;
  return nullptr;
}

void* AllocateObject(ObjectList* list, ObjectId number) {
  // Static numbers are 32-bit: a larger one (a dynamic id passed by mistake) would make the
  // slot array's size wrap around and hand out a record far outside it.
  if (!list || number < DynamicNumber || number > INT32_MAX) return nullptr;
  if (number == DynamicNumber) return AddNode(&list->dynamicObjects, size_t(list->objectSize));
  if (number >= list->capacity) {
    intptr_t capacity = number + list->step;
    void* slots = ObjectReAlloc(list->slots, size_t(list->objectSize) * size_t(capacity));
    if (!slots) return nullptr;
    list->slots = static_cast<unsigned char*>(slots);
    list->capacity = capacity;
  }
  if (list->freeObject) list->freeObject(number);
  return list->slots + size_t(number) * size_t(list->objectSize);
}

static bool InUse(const void* record) {
  uintptr_t first;
  std::memcpy(&first, record, sizeof first);
  return first != 0;
}

void* LookUpObject(const ObjectList* list, ObjectId id) {
  if (!list) return nullptr;
  void* record;
  if (IsStatic(list, id)) {
    record = list->slots + size_t(id) * size_t(list->objectSize);
  } else {
    ObjectNode* node = FindDynamic(list, id);
    if (!node) return nullptr;
    record = PayloadOf(node);
  }
  return InUse(record) ? record : nullptr;
}

void ReleaseObject(ObjectList* list, ObjectId id) {
  if (!list) return;
  if (IsStatic(list, id)) {
    std::memset(list->slots + size_t(id) * size_t(list->objectSize), 0, size_t(list->objectSize));
  } else if (FindDynamic(list, id)) {
    RemoveNode(&list->dynamicObjects, reinterpret_cast<void*>(id));
  }
}

ObjectId ObjectIdOf(const ObjectList* list, const void* record) {
  auto* bytes = static_cast<const unsigned char*>(record);
  size_t total = size_t(list->capacity) * size_t(list->objectSize);
  if (bytes >= list->slots && bytes < list->slots + total)
    return ObjectId((bytes - list->slots) / list->objectSize);
  return reinterpret_cast<ObjectId>(record);
}

void ResetObjectCursor(ObjectList* list) {
  list->cursorIndex = 0;
  ObjectNode* oldest = list->dynamicObjects;
  while (oldest && oldest->next) oldest = oldest->next;
  list->cursorNode = oldest;
}

void* NextObject(ObjectList* list, ObjectId* id) {
  while (list->cursorIndex < list->capacity) {
    intptr_t index = list->cursorIndex++;
    void* record = list->slots + size_t(index) * size_t(list->objectSize);
    if (InUse(record)) {
      *id = index;
      return record;
    }
  }
  if (!list->cursorNode) return nullptr;
  void* record = PayloadOf(list->cursorNode);
  *id = reinterpret_cast<ObjectId>(record);
  list->cursorNode = list->cursorNode->prev;
  return record;
}

void FreeAllObjects(ObjectList* list) {
  if (!list || !list->freeObject) return;
  ResetObjectCursor(list);
  ObjectId id;
  while (NextObject(list, &id)) list->freeObject(id);
  // A dynamic record whose creation failed has an empty first field: the free operation
  // leaves it alone, so its node is dropped here instead of lingering until the heap goes.
  while (list->dynamicObjects) RemoveNode(&list->dynamicObjects, PayloadOf(list->dynamicObjects));
}

void* NewLibraryState(size_t size, void (*init)(void* state)) {
  void* state = ObjectAlloc(size);
  if (state && init) init(state);
  return state;
}
