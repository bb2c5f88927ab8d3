// The listener list of the base package's data objects.
#include "mivo/base/change_notify.h"

#include <algorithm>
#include <utility>

namespace mivo::detail {

TChangeListeners::~TChangeListeners() {
  // Each listener hears of the end once; whatever it adds or removes meanwhile
  // is dropped with the list.
  ++FNotifying;
  for (std::size_t i = 0; i < FSlots.size(); ++i) {
    if (FSlots[i].Id == 0 || !FSlots[i].OnGone) continue;
    FSlots[i].Id = 0;
    TGoneEvent gone = std::move(FSlots[i].OnGone);
    gone();
  }
}

std::uint64_t TChangeListeners::Add(TNotifyEvent onChange, TGoneEvent onGone) {
  const std::uint64_t id = FNextId++;
  FSlots.push_back(TSlot{id, std::move(onChange), std::move(onGone)});
  return id;
}

void TChangeListeners::Remove(std::uint64_t id) {
  if (id == 0) return;
  for (TSlot& s : FSlots) {
    if (s.Id != id) continue;
    s.Id = 0;
    if (FNotifying == 0) Sweep();
    return;
  }
}

bool TChangeListeners::Contains(std::uint64_t id) const {
  return id != 0 && std::any_of(FSlots.begin(), FSlots.end(), [id](const TSlot& s) { return s.Id == id; });
}

std::size_t TChangeListeners::Count() const {
  return std::size_t(std::count_if(FSlots.begin(), FSlots.end(), [](const TSlot& s) { return s.Id != 0; }));
}

void TChangeListeners::Notify(TObject& sender) {
  if (FSlots.empty()) return;
  ++FNotifying;
  // By index, and through a copy of the callback: a listener may add slots
  // (the vector may move) or remove any slot while it runs. Slots added during
  // this round are not called in it.
  const std::size_t n = FSlots.size();
  for (std::size_t i = 0; i < n && i < FSlots.size(); ++i) {
    if (FSlots[i].Id == 0 || !FSlots[i].OnChange) continue;
    const TNotifyEvent call = FSlots[i].OnChange;
    call(sender);
  }
  if (--FNotifying == 0) Sweep();
}

void TChangeListeners::Sweep() {
  FSlots.erase(std::remove_if(FSlots.begin(), FSlots.end(), [](const TSlot& s) { return s.Id == 0; }),
               FSlots.end());
}

}  // namespace mivo::detail
