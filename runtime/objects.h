// Numbered-object registry: per-library object lists with static numbers and dynamic ids,
// the node chain they use for dynamic objects, and library state records.
#pragma once
#include <cstddef>
#include <cstdint>

// A static object number (0, 1, ...) or the id of a dynamic object (its record's address).
using ObjectId = intptr_t;
constexpr ObjectId DynamicNumber = -1;

using FreeObjectFn = void (*)(ObjectId id);

struct ObjectNode {
  ObjectNode* next;  // older neighbour
  ObjectNode* prev;  // newer neighbour
};

struct ObjectList {
  int32_t objectSize;
  int32_t step;
  intptr_t capacity;
  ObjectNode* dynamicObjects;  // newest first
  FreeObjectFn freeObject;
  intptr_t cursorIndex;
  ObjectNode* cursorNode;
  unsigned char* slots;
};

// Records must start with a non-zero first field while the object exists; libraries keep
// their platform handle there. Object records are at least pointer-sized.
ObjectList* NewObjectList(int32_t objectSize, int32_t step, FreeObjectFn freeObject);
void DeleteObjectList(ObjectList* list);
// The record for a number (freeing an old object there first) or a new dynamic record for
// DynamicNumber; null when out of memory or for a number below -1 or above INT32_MAX.
void* AllocateObject(ObjectList* list, ObjectId number);
void* LookUpObject(const ObjectList* list, ObjectId id);
void ReleaseObject(ObjectList* list, ObjectId id);
// The id a record is known by: its number for a static slot, its address for a dynamic one.
ObjectId ObjectIdOf(const ObjectList* list, const void* record);
void ResetObjectCursor(ObjectList* list);
void* NextObject(ObjectList* list, ObjectId* id);
void FreeAllObjects(ObjectList* list);

void* NewLibraryState(size_t size, void (*init)(void* state));

// Node chains: payloads with a hidden two-pointer header, allocated from objectHeap.
void* AddNode(ObjectNode** head, size_t payloadSize);
void RemoveNode(ObjectNode** head, void* payload);
ObjectNode* NodeOf(void* payload);
void* PayloadOf(ObjectNode* node);
