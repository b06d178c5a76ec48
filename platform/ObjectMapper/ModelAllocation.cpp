#include <ObjectMapper/ModelAllocation.h>

#include <sanitizer/asan_interface.h>

#include <mutex>
#include <utility>

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

// One thread's kept blocks. They live on the heap and in a process-wide list so that a leak
// checker sees the blocks as held, even those a thread keeps after its exit handlers ran.
struct ThreadBlocks {
  BlockList lists[kSizeClasses];
  ThreadBlocks* next;
  ThreadBlocks* previous;
};

std::mutex registryMutex;
ThreadBlocks* registry = nullptr;

thread_local ThreadBlocks* threadBlocks = nullptr;
thread_local bool threadEnded = false;

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
    ::operator delete(block);
  }
  list.count = 0;
}

void enroll(ThreadBlocks* blocks) {
  std::lock_guard lock(registryMutex);
  blocks->next = registry;
  if (registry) registry->previous = blocks;
  registry = blocks;
}

void withdraw(ThreadBlocks* blocks) {
  std::lock_guard lock(registryMutex);
  if (blocks->previous) blocks->previous->next = blocks->next;
  if (blocks->next) blocks->next->previous = blocks->previous;
  if (registry == blocks) registry = blocks->next;
}

// Hands the thread's blocks back when the thread ends. Made with the thread's blocks, so it is
// destroyed after every thread-local object made later, whose models may still be freed; a model
// freed after that goes straight back to the allocator.
struct ThreadEnd {
  ~ThreadEnd() {
    threadEnded = true;
    ThreadBlocks* blocks = std::exchange(threadBlocks, nullptr);
    withdraw(blocks);
    for (std::size_t sizeClass = 0; sizeClass < kSizeClasses; ++sizeClass) {
      release(blocks->lists[sizeClass], blockSizeOf(sizeClass));
    }
    delete blocks;
  }
};

ThreadBlocks* keepingBlocks() {
  if (threadBlocks || threadEnded) return threadBlocks;
  threadBlocks = new ThreadBlocks{};
  enroll(threadBlocks);
  static thread_local ThreadEnd threadEnd;
  return threadBlocks;
}

}  // namespace

void* takeBlock(std::size_t size) {
  if (size > kLargestRecycledBlock) return ::operator new(size);
  const std::size_t sizeClass = sizeClassOf(size);
  Block* block = threadBlocks ? threadBlocks->lists[sizeClass].head : nullptr;
  if (!block) return ::operator new(blockSizeOf(sizeClass));
  ASAN_UNPOISON_MEMORY_REGION(block, blockSizeOf(sizeClass));
  BlockList& list = threadBlocks->lists[sizeClass];
  list.head = block->next;
  --list.count;
  return block;
}

void giveBlock(void* pointer, std::size_t size) {
  if (size > kLargestRecycledBlock) return ::operator delete(pointer);
  const std::size_t sizeClass = sizeClassOf(size);
  ThreadBlocks* blocks = keepingBlocks();
  if (!blocks || blocks->lists[sizeClass].count == kRecycledBlocks) {
    return ::operator delete(pointer);
  }
  BlockList& list = blocks->lists[sizeClass];
  list.head = ::new (pointer) Block{list.head};
  ++list.count;
  // The link stays readable: a leak checker does not follow pointers through poisoned memory.
  ASAN_POISON_MEMORY_REGION(list.head + 1, blockSizeOf(sizeClass) - sizeof(Block));
}

}  // namespace ios::model_allocation
