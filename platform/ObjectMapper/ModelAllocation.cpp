#include <ObjectMapper/ModelAllocation.h>

#include <sanitizer/asan_interface.h>

namespace ios::model_allocation {

namespace {

constexpr std::size_t kStep = 16;
constexpr std::size_t kSizeClasses = kLargestRecycledBlock / kStep;

struct Block {
  Block* next;
};

struct BlockList {
  Block* head;
  std::size_t count;
};

// Trivially destructible, so that it stays usable while the thread's other objects are destroyed;
// once `ended` is set, blocks go straight back to the allocator.
struct ThreadBlocks {
  BlockList lists[kSizeClasses];
  bool ended;
};

thread_local ThreadBlocks threadBlocks;

std::size_t sizeClassOf(std::size_t size) {
  return size == 0 ? 0 : (size - 1) / kStep;
}

std::size_t blockSizeOf(std::size_t sizeClass) {
  return (sizeClass + 1) * kStep;
}

void release(BlockList& list, std::size_t blockSize) {
  while (Block* block = list.head) {
    ASAN_UNPOISON_MEMORY_REGION(block, blockSize);
    list.head = block->next;
    ::operator delete(block, blockSize);
  }
  list.count = 0;
}

// Hands the thread's blocks back when the thread ends. Made when the thread first keeps a block,
// so it is destroyed after every thread-local object made later, whose models may still be freed.
struct ThreadEnd {
  ~ThreadEnd() {
    threadBlocks.ended = true;
    for (std::size_t sizeClass = 0; sizeClass < kSizeClasses; ++sizeClass) {
      release(threadBlocks.lists[sizeClass], blockSizeOf(sizeClass));
    }
  }
};

void watchThreadEnd() {
  static thread_local ThreadEnd threadEnd;
}

}  // namespace

void* takeBlock(std::size_t size) {
  if (size > kLargestRecycledBlock) return ::operator new(size);
  const std::size_t sizeClass = sizeClassOf(size);
  BlockList& list = threadBlocks.lists[sizeClass];
  Block* block = list.head;
  if (!block) return ::operator new(blockSizeOf(sizeClass));
  ASAN_UNPOISON_MEMORY_REGION(block, blockSizeOf(sizeClass));
  list.head = block->next;
  --list.count;
  return block;
}

void giveBlock(void* pointer, std::size_t size) {
  if (size > kLargestRecycledBlock) return ::operator delete(pointer, size);
  const std::size_t sizeClass = sizeClassOf(size);
  BlockList& list = threadBlocks.lists[sizeClass];
  if (threadBlocks.ended || list.count == kRecycledBlocks) {
    return ::operator delete(pointer, blockSizeOf(sizeClass));
  }
  if (!list.head) watchThreadEnd();
  list.head = ::new (pointer) Block{list.head};
  ++list.count;
  ASAN_POISON_MEMORY_REGION(pointer, blockSizeOf(sizeClass));
}

}  // namespace ios::model_allocation
