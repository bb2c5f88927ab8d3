#pragma once
// A least-recently-used cache within a byte budget, for the font engine's
// glyph bitmaps and glyph metrics. A hash map owns the entries; an intrusive
// list threaded through them keeps the order of use. Finding, touching,
// inserting and evicting are O(1); a hit allocates nothing. Not included
// outside the platform module.

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>

namespace mivo::detail {

// The default eviction hook: nothing else refers to evicted entries.
struct TIgnoreEviction {
  template <class Key, class Value>
  void operator()(const Key&, Value&) const {}
};

// OnEvict(key, value) runs before an entry is evicted to make room (not on
// Clear), so that outside shortcuts to the entry can be forgotten.
template <class Key, class Value, class Hash = std::hash<Key>, class OnEvict = TIgnoreEviction>
class TLruCache {
 public:
  struct TEntry {
    Key K{};
    Value V{};
    std::size_t Bytes = 0;
    TEntry* Newer = nullptr;
    TEntry* Older = nullptr;
  };

  explicit TLruCache(std::size_t budget) : FBudget(budget) {}
  TLruCache(const TLruCache&) = delete;
  TLruCache& operator=(const TLruCache&) = delete;

  std::size_t Budget() const { return FBudget; }
  std::size_t Bytes() const { return FBytes; }
  std::size_t Size() const { return FMap.size(); }

  // Evicts the least recently used entries until the rest fit the new budget.
  void SetBudget(std::size_t budget) {
    FBudget = budget;
    while (FBytes > FBudget && FOldest) Evict(*FOldest);
  }

  // The entry of `key`, now the most recently used; nullptr when absent.
  TEntry* Find(const Key& key) {
    const auto it = FMap.find(key);
    if (it == FMap.end()) return nullptr;
    Touch(it->second);
    return &it->second;
  }

  // Makes an entry (reached through a shortcut) the most recently used.
  void Touch(TEntry& e) {
    if (FNewest == &e) return;
    Unlink(e);
    LinkNewest(e);
  }

  // Adds a value under a key (replacing what it held), first evicting the
  // least recently used entries until `bytes` more fit. A value larger than
  // the whole budget is not kept: the result is then nullptr and nothing is
  // evicted. The entry stays valid until it is evicted or the cache cleared.
  TEntry* Insert(const Key& key, Value value, std::size_t bytes) {
    if (bytes > FBudget) return nullptr;
    if (const auto it = FMap.find(key); it != FMap.end()) Remove(it->second);
    while (FBytes + bytes > FBudget && FOldest) Evict(*FOldest);
    TEntry& e = FMap.try_emplace(key).first->second;
    e.K = key;
    e.V = std::move(value);
    e.Bytes = bytes;
    FBytes += bytes;
    LinkNewest(e);
    return &e;
  }

  // Drops every entry without running the eviction hook.
  void Clear() {
    FMap.clear();
    FNewest = FOldest = nullptr;
    FBytes = 0;
  }

 private:
  void Unlink(TEntry& e) {
    (e.Newer ? e.Newer->Older : FNewest) = e.Older;
    (e.Older ? e.Older->Newer : FOldest) = e.Newer;
    e.Newer = e.Older = nullptr;
  }

  void LinkNewest(TEntry& e) {
    e.Older = FNewest;
    e.Newer = nullptr;
    (FNewest ? FNewest->Newer : FOldest) = &e;
    FNewest = &e;
  }

  void Evict(TEntry& e) {
    OnEvict{}(e.K, e.V);
    Remove(e);
  }

  void Remove(TEntry& e) {
    Unlink(e);
    FBytes -= e.Bytes;
    const Key key = e.K;  // e goes with the erase
    FMap.erase(key);
  }

  std::unordered_map<Key, TEntry, Hash> FMap;
  TEntry* FNewest = nullptr;
  TEntry* FOldest = nullptr;
  std::size_t FBytes = 0;
  std::size_t FBudget;
};

}  // namespace mivo::detail
