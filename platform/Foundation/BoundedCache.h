#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <list>
#include <type_traits>
#include <unordered_map>
#include <utility>

namespace ios {

// Values kept by key within a bound, for caches of things costly to make again (scaled pictures,
// blurred shadows, text layouts).
//
// - The bound: at most `Bounds::bytes` bytes, as counted by the caller for each value, and at most
//   `Bounds::count` values; either may be left unbounded.
// - The least recently used value goes first when a new or grown value passes the bound. A value
//   larger than the whole byte bound is not kept, and does not push out the others.
// - A hit costs O(1) on average whatever the cache holds: a hash map into a list, the hit spliced to
//   the front. A miss costs the same.
// - Keys supply a hash (`Hash`) and `==`. Equal keys must hash alike, or a kept value is missed. A
//   composite key's hash combines every field its `==` compares (see HashMix): keys differing only
//   in a field left out share a bucket, and a hit walks it.
// - No locking: each user keeps one per thread, or guards it.
//
// `dropped` hears of each value the cache lets go of (beyond the bound, replaced, cleared), for a
// user keeping its own index of the values; it must not call back into the cache.
template <typename Key, typename Value, typename Hash = std::hash<Key>>
class BoundedCache {
 public:
  static constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();
  struct Bounds {
    std::size_t bytes = kUnbounded;
    std::size_t count = kUnbounded;
  };
  using Dropped = std::function<void(const Key&, const Value&)>;

 private:
  struct Entry {
    Key key;
    Value value;
    std::size_t bytes;
  };
  using Entries = std::list<Entry>;

 public:
  explicit BoundedCache(Bounds bounds, Dropped dropped = {})
      : bounds_(bounds), dropped_(std::move(dropped)) {}
  BoundedCache(const BoundedCache&) = delete;
  BoundedCache& operator=(const BoundedCache&) = delete;

  // The value kept for `key`, now the most recently used; null when there is none.
  Value* find(const Key& key) {
    return find(key, [](const Value&) { return true; });
  }

  // As find, for a value `accept` takes (a key alone may not prove a match); one it refuses is left
  // where it is.
  template <typename Accept>
  Value* find(const Key& key, Accept&& accept) {
    const auto found = index_.find(std::cref(key));
    if (found == index_.end() || !accept(std::as_const(found->second->value))) return nullptr;
    entries_.splice(entries_.begin(), entries_, found->second);
    return &entries_.front().value;
  }

  // Where a kept value sits, for a user that also finds values by something besides their key: good
  // until `dropped` hears of the value, and false when nothing was kept.
  class Handle {
   public:
    Handle() = default;
    explicit operator bool() const { return kept_; }

   private:
    friend class BoundedCache;
    explicit Handle(typename Entries::iterator entry) : entry_(entry), kept_(true) {}
    typename Entries::iterator entry_{};
    bool kept_ = false;
  };

  // Keeps `value` for `key`, counted as `bytes`, in place of any value kept for it. Nothing changes
  // when it alone passes the bound.
  Handle keep(const Key& key, Value value, std::size_t bytes = 0) {
    if (bytes > bounds_.bytes || bounds_.count == 0) return {};
    erase(key);
    entries_.push_front(Entry{key, std::move(value), bytes});
    index_.emplace(std::cref(entries_.front().key), entries_.begin());
    bytes_ += bytes;
    const Handle kept(entries_.begin());
    trim();
    return kept;
  }

  // The value at `kept`, now the most recently used.
  Value& find(Handle kept) {
    entries_.splice(entries_.begin(), entries_, kept.entry_);
    return kept.entry_->value;
  }

  // Counts `bytes` more for the value at `kept`, which grew in place. Past the bound, the others go
  // first, least recently used first; the value itself goes only when it alone passes the bound.
  void grow(Handle kept, std::size_t bytes) {
    kept.entry_->bytes += bytes;
    bytes_ += bytes;
    trim();
  }

  void erase(const Key& key) {
    const auto found = index_.find(std::cref(key));
    if (found != index_.end()) drop(found->second);
  }

  void clear() {
    while (!entries_.empty()) drop(std::prev(entries_.end()));
  }

  std::size_t count() const { return entries_.size(); }
  std::size_t bytes() const { return bytes_; }

 private:
  struct KeyHash {
    std::size_t operator()(const Key& key) const { return Hash{}(key); }
  };

  void drop(typename Entries::iterator entry) {
    if (dropped_) dropped_(entry->key, entry->value);
    index_.erase(std::cref(entry->key));
    bytes_ -= entry->bytes;
    entries_.erase(entry);
  }

  void trim() {
    while (!entries_.empty() && (bytes_ > bounds_.bytes || entries_.size() > bounds_.count))
      drop(std::prev(entries_.end()));
  }

  const Bounds bounds_;
  const Dropped dropped_;
  Entries entries_;  // most recently used first
  // Keys live in `entries_`; the index refers to them.
  std::unordered_map<std::reference_wrapper<const Key>, typename Entries::iterator, KeyHash,
                     std::equal_to<Key>>
      index_;
  std::size_t bytes_ = 0;
};

// Builds a hash from every field of a composite key, in order.
class HashMix {
 public:
  template <typename Integral>
    requires std::is_integral_v<Integral> || std::is_enum_v<Integral>
  HashMix& add(Integral value) {
    seed_ ^= static_cast<std::size_t>(value) + 0x9e3779b97f4a7c15ULL + (seed_ << 6) + (seed_ >> 2);
    return *this;
  }
  // Equal numbers hash alike: 0 and -0 compare equal but differ in their bits.
  HashMix& add(double value) {
    if (value == 0) value = 0;
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return add(bits);
  }
  std::size_t value() const { return seed_; }

 private:
  std::size_t seed_ = 0;
};

}  // namespace ios
