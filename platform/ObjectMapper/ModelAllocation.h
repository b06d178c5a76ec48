#pragma once

// Making a model whose memory is reused. A reply maps into many models of one kind (a card list
// holds a card and a service per row), and the list they replace was usually freed just before.
// Models of a few hundred bytes and more miss the allocator's small-block caches, so each costs a
// walk of its free lists and lands in memory that has left the CPU cache. A recycled model takes
// the block last freed by a model of its size on this thread instead.
//
// Each thread keeps at most kRecycledBlocks blocks of each size and hands the rest back to the
// allocator, as it does with all its blocks when it ends. A block freed on another thread than
// the one that made it joins that thread's list. Sanitized builds mark a kept block unusable, so
// that a use after free is still caught.

#include <cstddef>
#include <memory>
#include <new>

namespace ios {

namespace model_allocation {

inline constexpr std::size_t kRecycledBlocks = 256;
inline constexpr std::size_t kLargestRecycledBlock = 2048;  // larger ones come from the allocator

// A block of at least `size` bytes, aligned for any model.
void* takeBlock(std::size_t size);
// Returns a block that takeBlock gave for the same size.
void giveBlock(void* block, std::size_t size);

// Hands out single objects from the recycled blocks; arrays come from the allocator.
template <class T>
struct RecyclingAllocator {
  using value_type = T;
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

  RecyclingAllocator() = default;
  template <class U>
  RecyclingAllocator(const RecyclingAllocator<U>&) {}

  T* allocate(std::size_t n) {
    if (n != 1) return static_cast<T*>(::operator new(n * sizeof(T)));
    return static_cast<T*>(takeBlock(sizeof(T)));
  }
  void deallocate(T* pointer, std::size_t n) {
    if (n != 1) return ::operator delete(pointer);
    giveBlock(pointer, sizeof(T));
  }
  template <class U>
  bool operator==(const RecyclingAllocator<U>&) const {
    return true;
  }
};

}  // namespace model_allocation

// A new T, with every field at its preset, in a recycled block (see above).
template <class T>
std::shared_ptr<T> makeRecycled() {
  return std::allocate_shared<T>(model_allocation::RecyclingAllocator<T>());
}

}  // namespace ios
