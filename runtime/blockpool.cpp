// Block pool. Each block starts with a pointer-sized word naming its chunk while in use,
// and the link to the next returned block while free; the caller's item follows it.
#include "runtime/blockpool.h"

#include "runtime/runtime.h"

namespace {

constexpr int32_t kWord = int32_t(sizeof(void*));

unsigned char* BlockAt(PoolChunk* chunk, const BlockPool* pool, int32_t index) {
  return reinterpret_cast<unsigned char*>(chunk + 1) + size_t(index) * size_t(pool->stride);
}

void Push(PoolChunk** head, PoolChunk* chunk) {
  chunk->prev = nullptr;
  chunk->next = *head;
  if (*head) (*head)->prev = chunk;
  *head = chunk;
}

void Unlink(PoolChunk** head, PoolChunk* chunk) {
  if (chunk->prev) chunk->prev->next = chunk->next;
  else *head = chunk->next;
  if (chunk->next) chunk->next->prev = chunk->prev;
  chunk->next = chunk->prev = nullptr;
}

bool IsFull(const PoolChunk* chunk) { return chunk->freeCount == 0 && chunk->handedOut >= chunk->blockCount; }

void FreeChain(PoolChunk* chunk) {
  while (chunk) {
    PoolChunk* next = chunk->next;
    ObjectFree(chunk);
    chunk = next;
  }
}

}  // namespace

BlockPool* NewBlockPool(int32_t itemSize, int32_t minChunk, int32_t maxChunk) {
  auto* pool = static_cast<BlockPool*>(ObjectAlloc(sizeof(BlockPool)));
  if (!pool) return nullptr;
  pool->stride = (itemSize + kWord + kWord - 1) / kWord * kWord;
  pool->minChunk = minChunk;
  pool->maxChunk = maxChunk;
  return pool;
}

void* TakeBlock(BlockPool* pool) {
  unsigned char* block;
  PoolChunk* chunk = pool->openChunks;
  if (chunk) {
    if (chunk->freeCount > 0) {
      block = static_cast<unsigned char*>(chunk->freeList);
      chunk->freeList = *reinterpret_cast<void**>(block);
      --chunk->freeCount;
    } else {
      block = BlockAt(chunk, pool, chunk->handedOut++);
    }
    if (IsFull(chunk)) {
      Unlink(&pool->openChunks, chunk);
      Push(&pool->fullChunks, chunk);
    }
  } else {
    int32_t n = (pool->totalBlocks >> 4) & ~15;
    if (n < pool->minChunk) n = pool->minChunk;
    if (n > pool->maxChunk) n = pool->maxChunk;
    if (n < 1) n = 1;
    chunk = static_cast<PoolChunk*>(ObjectAlloc(sizeof(PoolChunk) + size_t(n) * size_t(pool->stride)));
    if (!chunk) {
      n = 1;
      chunk = static_cast<PoolChunk*>(ObjectAlloc(sizeof(PoolChunk) + size_t(pool->stride)));
      if (!chunk) return nullptr;
    }
    pool->totalBlocks += n;
    chunk->blockCount = n;
    chunk->handedOut = 1;
    Push(n > 1 ? &pool->openChunks : &pool->fullChunks, chunk);
    block = BlockAt(chunk, pool, 0);
  }
  *reinterpret_cast<PoolChunk**>(block) = chunk;
  return block + kWord;
}

void ReturnBlock(BlockPool* pool, void* item) {
  if (!item) return;
  unsigned char* block = static_cast<unsigned char*>(item) - kWord;
  PoolChunk* chunk = *reinterpret_cast<PoolChunk**>(block);
  bool wasFull = IsFull(chunk);
  *reinterpret_cast<void**>(block) = chunk->freeList;
  chunk->freeList = block;
  ++chunk->freeCount;
  if (chunk->freeCount == chunk->blockCount) {
    Unlink(wasFull ? &pool->fullChunks : &pool->openChunks, chunk);
    pool->totalBlocks -= chunk->blockCount;
    ObjectFree(chunk);
  } else if (wasFull) {
    Unlink(&pool->fullChunks, chunk);
    Push(&pool->openChunks, chunk);
  }
}

void ClearBlockPool(BlockPool* pool) {
  FreeChain(pool->openChunks);
  FreeChain(pool->fullChunks);
  pool->openChunks = pool->fullChunks = nullptr;
  pool->totalBlocks = 0;
}

void DeleteBlockPool(BlockPool* pool) {
  if (!pool) return;
  ClearBlockPool(pool);
  ObjectFree(pool);
}
