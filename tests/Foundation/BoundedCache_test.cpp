#include <Foundation/BoundedCache.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace ios {
namespace {

// Every key in one bucket: the rules must not depend on how well keys hash.
struct OneBucket {
  std::size_t operator()(int) const { return 7; }
};

struct CacheStep {
  enum { keep, find, refuse, touch, grow, clear } op;  // touch and grow: by the handle kept
  int key = 0;
  std::size_t bytes = 0;
};

struct CacheCase {
  const char* rule;
  BoundedCache<int, int>::Bounds bounds;
  std::vector<CacheStep> steps;
  std::string dropped;  // keys in the order the cache let them go
  std::size_t bytes, count;
};

template <typename Hash>
void runCase(const CacheCase& c) {
  std::string dropped;
  BoundedCache<int, int, Hash> cache({c.bounds.bytes, c.bounds.count},
                                     [&](const int& key, const int&) { dropped += std::to_string(key); });
  std::map<int, typename BoundedCache<int, int, Hash>::Handle> handles;
  for (const CacheStep& s : c.steps) {
    switch (s.op) {
      case CacheStep::keep:
        handles[s.key] = cache.keep(s.key, s.key * 10, s.bytes);
        break;
      case CacheStep::find: {
        const int* found = cache.find(s.key);
        EXPECT_TRUE(found && *found == s.key * 10) << c.rule;
        break;
      }
      case CacheStep::refuse:
        EXPECT_EQ(cache.find(s.key, [](const int&) { return false; }), nullptr) << c.rule;
        break;
      case CacheStep::touch:
        EXPECT_EQ(cache.find(handles.at(s.key)), s.key * 10) << c.rule;
        break;
      case CacheStep::grow:
        cache.grow(handles.at(s.key), s.bytes);
        break;
      case CacheStep::clear:
        cache.clear();
        break;
    }
  }
  EXPECT_EQ(dropped, c.dropped) << c.rule;
  EXPECT_EQ(cache.bytes(), c.bytes) << c.rule;
  EXPECT_EQ(cache.count(), c.count) << c.rule;
}

TEST(BoundedCache, KeepsWithinItsBoundDroppingTheLeastRecentlyUsed) {
  using S = CacheStep;
  const CacheCase cases[] = {
      {"a hit makes a value the most recent", {.bytes = 3},
       {{S::keep, 1, 1}, {S::keep, 2, 1}, {S::keep, 3, 1}, {S::find, 1}, {S::keep, 4, 1}}, "2", 3, 3},
      {"a value found by its handle is the most recent", {.bytes = 3},
       {{S::keep, 1, 1}, {S::keep, 2, 1}, {S::keep, 3, 1}, {S::touch, 1}, {S::keep, 4, 1}}, "2", 3, 3},
      {"a refused value keeps its place", {.bytes = 3},
       {{S::keep, 1, 1}, {S::keep, 2, 1}, {S::keep, 3, 1}, {S::refuse, 1}, {S::keep, 4, 1}}, "1", 3, 3},
      {"a replaced value's bytes are counted once", {.bytes = 10},
       {{S::keep, 1, 4}, {S::keep, 1, 6}, {S::keep, 2, 4}}, "1", 10, 2},
      {"a value larger than the bound is not kept and pushes nothing out", {.bytes = 4},
       {{S::keep, 1, 2}, {S::keep, 2, 5}}, "", 2, 1},
      {"a grown value pushes out the least recently used", {.bytes = 6},
       {{S::keep, 1, 2}, {S::keep, 2, 2}, {S::keep, 3, 1}, {S::find, 1}, {S::grow, 1, 3}}, "2", 6, 2},
      {"a value grown past the bound goes last", {.bytes = 4},
       {{S::keep, 1, 2}, {S::keep, 2, 2}, {S::grow, 2, 3}}, "12", 0, 0},
      {"bounded by count", {.count = 2}, {{S::keep, 1}, {S::keep, 2}, {S::find, 1}, {S::keep, 3}}, "2", 0, 2},
      {"cleared, each value is let go", {}, {{S::keep, 1, 5}, {S::keep, 2, 5}, {S::clear}}, "12", 0, 0},
  };
  for (const CacheCase& c : cases) {
    runCase<std::hash<int>>(c);
    runCase<OneBucket>(c);
  }
}

// Keys that compare equal hash alike, and those that differ do not all collide.
TEST(BoundedCache, HashMixAgreesWithEquality) {
  const auto hash = [](double x, int n) { return HashMix().add(x).add(n).value(); };
  EXPECT_EQ(hash(0.0, 1), hash(-0.0, 1));
  EXPECT_NE(hash(1.0, 2), hash(2.0, 1));
  EXPECT_NE(hash(0.5, 1), hash(0.25, 1));
}

}  // namespace
}  // namespace ios
