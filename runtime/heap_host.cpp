// Host binding of the runtime's platform seam. Every block of a heap is chained behind a
// small header so that destroying the heap frees everything still allocated, as a Win32
// private heap does; blocks come from malloc, so AddressSanitizer sees every access.
#include "runtime/platform.h"

#include <cstdlib>
#include <cstring>

namespace {

struct alignas(16) BlockHeader {
  BlockHeader* prev;
  BlockHeader* next;
  size_t size;
};

struct HostHeap {
  BlockHeader* blocks;
};

BlockHeader* HeaderOf(void* block) { return static_cast<BlockHeader*>(block) - 1; }

void Link(HostHeap* heap, BlockHeader* header) {
  header->prev = nullptr;
  header->next = heap->blocks;
  if (heap->blocks) heap->blocks->prev = header;
  heap->blocks = header;
}

void Unlink(HostHeap* heap, BlockHeader* header) {
  if (header->prev) header->prev->next = header->next;
  else heap->blocks = header->next;
  if (header->next) header->next->prev = header->prev;
}

}  // namespace

HeapRef PlatformHeapCreate() { return std::calloc(1, sizeof(HostHeap)); }

void* PlatformHeapAlloc(HeapRef heap, size_t size, bool zero) {
  if (!heap || size > (size_t(1) << 40)) return nullptr;
  auto* header = static_cast<BlockHeader*>(zero ? std::calloc(1, sizeof(BlockHeader) + size)
                                                : std::malloc(sizeof(BlockHeader) + size));
  if (!header) return nullptr;
  header->size = size;
  Link(static_cast<HostHeap*>(heap), header);
  return header + 1;
}

void* PlatformHeapReAlloc(HeapRef heap, void* block, size_t size, bool zero) {
  if (!block) return PlatformHeapAlloc(heap, size, zero);
  if (size > (size_t(1) << 40)) return nullptr;
  auto* host = static_cast<HostHeap*>(heap);
  BlockHeader* old = HeaderOf(block);
  size_t oldSize = old->size;
  Unlink(host, old);
  auto* header = static_cast<BlockHeader*>(std::realloc(old, sizeof(BlockHeader) + size));
  if (!header) {
    Link(host, old);
    return nullptr;
  }
  if (zero && size > oldSize) std::memset(reinterpret_cast<char*>(header + 1) + oldSize, 0, size - oldSize);
  header->size = size;
  Link(host, header);
  return header + 1;
}

void PlatformHeapFree(HeapRef heap, void* block) {
  if (!block) return;
  BlockHeader* header = HeaderOf(block);
  Unlink(static_cast<HostHeap*>(heap), header);
  std::free(header);
}

void PlatformHeapDestroy(HeapRef heap) {
  if (!heap) return;
  auto* host = static_cast<HostHeap*>(heap);
  while (host->blocks) {
    BlockHeader* next = host->blocks->next;
    std::free(host->blocks);
    host->blocks = next;
  }
  std::free(host);
}

void* PlatformModuleHandle() { return nullptr; }
