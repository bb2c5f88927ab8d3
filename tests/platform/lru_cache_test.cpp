#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "mivo/platform/lru_cache_internal.h"

namespace mivo::detail {
namespace {

// Records evictions in a log the test reads.
std::vector<int>& EvictionLog() {
  static std::vector<int> log;
  return log;
}

struct TLogEviction {
  void operator()(const int& key, const std::string&) const { EvictionLog().push_back(key); }
};

using TCache = TLruCache<int, std::string, std::hash<int>, TLogEviction>;

std::vector<int> Keys(TCache& cache, std::initializer_list<int> candidates) {
  std::vector<int> present;
  for (int k : candidates)
    if (cache.Find(k)) present.push_back(k);
  return present;
}

TEST(LruCache, EvictsTheLeastRecentlyUsedToStayWithinItsBudget) {
  EvictionLog().clear();
  TCache cache(30);
  cache.Insert(1, "one", 10);
  cache.Insert(2, "two", 10);
  cache.Insert(3, "three", 10);
  ASSERT_NE(cache.Find(1), nullptr);  // 1 is now newer than 2 and 3
  cache.Insert(4, "four", 10);
  EXPECT_EQ(EvictionLog(), (std::vector<int>{2}));
  // A big entry pushes out as many of the oldest as it needs.
  cache.Insert(5, "five", 20);
  EXPECT_EQ(EvictionLog(), (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(cache.Bytes(), 30u);
  EXPECT_EQ(cache.Size(), 2u);
  EXPECT_EQ(cache.Find(4)->V, "four");
  EXPECT_EQ(cache.Find(5)->V, "five");
}

TEST(LruCache, TouchingThroughAShortcutKeepsAnEntry) {
  EvictionLog().clear();
  TCache cache(20);
  TCache::TEntry* first = cache.Insert(1, "one", 10);
  cache.Insert(2, "two", 10);
  cache.Touch(*first);
  cache.Insert(3, "three", 10);
  EXPECT_EQ(EvictionLog(), (std::vector<int>{2}));
  EXPECT_EQ(Keys(cache, {1, 2, 3}), (std::vector<int>{1, 3}));
}

TEST(LruCache, OversizedValuesReplacementsAndShrinkingBudgets) {
  EvictionLog().clear();
  TCache cache(30);
  cache.Insert(1, "one", 10);
  cache.Insert(2, "two", 10);
  // Larger than the whole budget: not kept, nothing evicted.
  EXPECT_EQ(cache.Insert(3, "three", 31), nullptr);
  EXPECT_TRUE(EvictionLog().empty());
  EXPECT_EQ(cache.Bytes(), 20u);
  // Replacing a value counts only its new size and makes it the newest.
  cache.Insert(1, "uno", 15);
  EXPECT_EQ(cache.Bytes(), 25u);
  EXPECT_EQ(cache.Size(), 2u);
  cache.SetBudget(16);
  EXPECT_EQ(EvictionLog(), (std::vector<int>{2}));
  EXPECT_EQ(cache.Find(1)->V, "uno");
  cache.SetBudget(0);
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_EQ(cache.Bytes(), 0u);
  // Zero-sized entries fit an empty budget; Clear drops them without the hook.
  ASSERT_NE(cache.Insert(7, "seven", 0), nullptr);
  EvictionLog().clear();
  cache.Clear();
  EXPECT_TRUE(EvictionLog().empty());
  EXPECT_EQ(cache.Find(7), nullptr);
}

// The list and the map agree after a long random mix of operations, checked
// against a plain vector kept in order of use.
TEST(LruCache, MatchesAReferenceOnRandomOperations) {
  TCache cache(100);
  std::vector<std::pair<int, std::size_t>> reference;  // oldest first
  std::size_t bytes = 0;
  std::uint32_t seed = 7;
  const auto next = [&seed](std::uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  for (int step = 0; step < 5000; ++step) {
    const int key = int(next(40));
    auto it = std::find_if(reference.begin(), reference.end(), [&](const auto& e) { return e.first == key; });
    if (next(2) == 0) {
      const bool found = cache.Find(key) != nullptr;
      ASSERT_EQ(found, it != reference.end()) << "step " << step;
      if (found) {
        const auto entry = *it;
        reference.erase(it);
        reference.push_back(entry);
      }
    } else {
      const std::size_t size = next(30);
      if (it != reference.end()) {
        bytes -= it->second;
        reference.erase(it);
      }
      while (bytes + size > 100) {
        bytes -= reference.front().second;
        reference.erase(reference.begin());
      }
      reference.emplace_back(key, size);
      bytes += size;
      cache.Insert(key, std::to_string(key), size);
    }
    ASSERT_EQ(cache.Bytes(), bytes) << "step " << step;
    ASSERT_EQ(cache.Size(), reference.size()) << "step " << step;
  }
}

}  // namespace
}  // namespace mivo::detail
