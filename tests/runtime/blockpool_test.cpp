#include <cstring>
#include <vector>

#include "runtime/blockpool.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

int ChainLength(PoolChunk* chunk) {
  int n = 0;
  for (; chunk; chunk = chunk->next) ++n;
  return n;
}

TEST_F(RuntimeTest, ChunksGrowWithThePool) {
  BlockPool* pool = NewBlockPool(20, 16, 256);
  std::vector<void*> items;
  for (int i = 0; i < 16; ++i) items.push_back(TakeBlock(pool));
  EXPECT_EQ(pool->totalBlocks, 16);
  EXPECT_EQ(ChainLength(pool->fullChunks), 1);
  EXPECT_EQ(pool->openChunks, nullptr);
  items.push_back(TakeBlock(pool));  // the 17th opens a second chunk of 16
  EXPECT_EQ(pool->totalBlocks, 32);
  EXPECT_EQ(pool->openChunks->blockCount, 16);
  while (pool->totalBlocks < 512 || pool->openChunks) items.push_back(TakeBlock(pool));
  EXPECT_EQ(pool->totalBlocks, 512);
  items.push_back(TakeBlock(pool));
  EXPECT_EQ(pool->openChunks->blockCount, 32);  // 512 / 16
  // Items never overlap: write each one fully and read it back.
  for (size_t i = 0; i < items.size(); ++i) std::memset(items[i], int(i & 0xFF), 20);
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(static_cast<unsigned char*>(items[i])[19], i & 0xFF);
  DeleteBlockPool(pool);
}

TEST_F(RuntimeTest, ReturnedBlocksAreReusedAndEmptyChunksReleased) {
  BlockPool* pool = NewBlockPool(20, 16, 256);
  std::vector<void*> first;
  for (int i = 0; i < 16; ++i) first.push_back(TakeBlock(pool));
  void* extra = TakeBlock(pool);
  ReturnBlock(pool, first[5]);
  EXPECT_EQ(ChainLength(pool->openChunks), 2);  // the full chunk is open again
  EXPECT_EQ(TakeBlock(pool), first[5]);
  for (void* item : first) ReturnBlock(pool, item);
  EXPECT_EQ(pool->totalBlocks, 16);  // the first chunk went back to the heap
  ReturnBlock(pool, extra);  // its chunk's tail was never handed out: it stays
  EXPECT_EQ(pool->totalBlocks, 16);
  ClearBlockPool(pool);
  EXPECT_EQ(pool->totalBlocks, 0);
  EXPECT_NE(TakeBlock(pool), nullptr);
  DeleteBlockPool(pool);
}

}  // namespace
