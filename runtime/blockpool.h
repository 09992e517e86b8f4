// Block pool: small items of one fixed size carved from chunks in objectHeap, so that
// libraries that make and drop many small records do not call the heap for each one.
#pragma once
#include <cstdint>

struct PoolChunk {
  PoolChunk* next;
  PoolChunk* prev;
  void* freeList;  // most recently returned block; blocks link through their first word
  int32_t blockCount;
  int32_t handedOut;  // blocks taken so far from the never-used tail
  int32_t freeCount;
};

struct BlockPool {
  PoolChunk* fullChunks;
  PoolChunk* openChunks;
  int32_t totalBlocks;
  int32_t stride;  // item size + one pointer-sized word, rounded up to that word's size
  int32_t minChunk;
  int32_t maxChunk;
};

BlockPool* NewBlockPool(int32_t itemSize, int32_t minChunk, int32_t maxChunk);
void* TakeBlock(BlockPool* pool);
void ReturnBlock(BlockPool* pool, void* item);
void ClearBlockPool(BlockPool* pool);
void DeleteBlockPool(BlockPool* pool);
