// Shared display lists: one chart owns the list and up to four other charts
// show it, each with its own ranges, layout and colours. Every chart of a
// group keeps its own copy of the counts; AdjustCanInfoOfSharedCharts keeps
// them equal after each change of the list.
//
// Links never outlive a chart: a user that is destroyed leaves its owner's
// list of users, and an owner that is destroyed leaves its items to each of
// its users as a list of their own.
#include <algorithm>
#include <memory>
#include <new>

#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

void Inform(const std::string& text) {
  Host().MessageDlg(text, TMsgDlgType::mtInformation, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

}  // namespace

TCustomRChart* TCustomRChart::DataUsers(std::int32_t i) const {
  return i >= 0 && i < FDataUsersNum ? FDataUsers[std::size_t(i)] : nullptr;
}

bool TCustomRChart::SharesDataWith(const TCustomRChart& other) const {
  if (&other == this) return true;
  const TCustomRChart* a = FUseDataOf ? FUseDataOf : this;
  const TCustomRChart* b = other.FUseDataOf ? other.FUseDataOf : &other;
  return a == b;
}

void TCustomRChart::TakeListOf(const TCustomRChart& from) {
  FDataContainer.ShareWith(from.FDataContainer);
  // The allocated size goes with the reference: appending relies on it.
  FNumAllocated = from.FNumAllocated;
  FNumChartItems = from.FNumChartItems;
  FLastElemOnShow = from.FLastElemOnShow;
  FItemCount = from.FItemCount;
}

void TCustomRChart::RemoveDataUser(TCustomRChart* user) {
  const auto first = FDataUsers.begin(), last = FDataUsers.begin() + FDataUsersNum;
  const auto it = std::find(first, last, user);
  if (it == last) return;
  std::copy(it + 1, last, it);
  --FDataUsersNum;
  FDataUsers[std::size_t(FDataUsersNum)] = nullptr;
}

void TCustomRChart::KeepListAsOwn() {
  // In-place edits of the former group must no longer reach this chart.
  if (!FDataContainer.Shared()) return;
  try {
    FDataContainer.MakeOwn(std::size_t(std::max(FNumChartItems, 0)), std::size_t(std::max(FNumAllocated, 0)));
  } catch (const std::bad_alloc&) {
    // No memory for a copy: an empty list rather than one that others write into.
    ResetList();
  }
}

void TCustomRChart::SetUseDataOf(TCustomRChart* chart) {
  if (chart == this) {
    Inform("RChart: Cannot share data with myself");
    return;
  }
  if (FDataUsersNum > 0) {
    Inform("RChart: Cannot use foreign data. Other RCharts are using my own data.");
    return;
  }
  if (chart == FUseDataOf) return;
  if (chart) {
    TCustomRChart* owner = chart->FUseDataOf ? chart->FUseDataOf : chart;
    // Already a user of that owner (named through another of its users).
    if (owner == FUseDataOf) return;
    if (owner->FDataUsersNum >= kMaxDataUsers) {
      Inform("RChart: Max. number of data shares exceeded");
      return;
    }
    if (FUseDataOf) FUseDataOf->RemoveDataUser(this);
    FUseDataOf = owner;
    TakeListOf(*owner);
    owner->FDataUsers[std::size_t(owner->FDataUsersNum++)] = this;
  } else {
    FUseDataOf->RemoveDataUser(this);
    FUseDataOf = nullptr;
    KeepListAsOwn();
  }
  Redraw();
}

void TCustomRChart::AdjustCanInfoOfSharedCharts() {
  if (FUseDataOf) {
    TCustomRChart& owner = *FUseDataOf;
    owner.TakeListOf(*this);
    for (std::int32_t i = 0; i < owner.FDataUsersNum; ++i) {
      TCustomRChart* user = owner.FDataUsers[std::size_t(i)];
      if (user != this) user->TakeListOf(*this);
    }
  }
  for (std::int32_t i = 0; i < FDataUsersNum; ++i) FDataUsers[std::size_t(i)]->TakeListOf(*this);
}

void TCustomRChart::RedrawSharingCharts() {
  // A redraw runs the host's handlers, which may destroy any chart of the
  // group, this one included. The group is taken first, each chart with a
  // weak reference to its life, and a chart that is gone by its turn is
  // passed over; once this chart is gone, nothing of it is touched again.
  struct TMember {
    TCustomRChart* Chart;
    std::weak_ptr<const char> Alive;
  };
  std::array<TMember, 2 * kMaxDataUsers + 1> members{};
  std::size_t n = 0;
  const auto add = [&](TCustomRChart* c) {
    if (c && c != this) members[n++] = {c, c->FLifeToken};
  };
  if (FUseDataOf) {
    add(FUseDataOf);
    for (std::int32_t i = 0; i < FUseDataOf->FDataUsersNum; ++i) add(FUseDataOf->FDataUsers[std::size_t(i)]);
  }
  for (std::int32_t i = 0; i < FDataUsersNum; ++i) add(FDataUsers[std::size_t(i)]);
  const std::weak_ptr<const char> self = FLifeToken;
  for (std::size_t i = 0; i < n; ++i) {
    if (members[i].Alive.expired()) continue;
    TCustomRChart& chart = *members[i].Chart;
    chart.StyleChanged(self.expired() ? static_cast<TObject&>(chart) : static_cast<TObject&>(*this));
  }
}

void TCustomRChart::LeaveSharing() noexcept {
  if (FUseDataOf) {
    FUseDataOf->RemoveDataUser(this);
    FUseDataOf = nullptr;
  }
  for (std::int32_t i = 0; i < FDataUsersNum; ++i) {
    TCustomRChart* user = FDataUsers[std::size_t(i)];
    FDataUsers[std::size_t(i)] = nullptr;
    user->FUseDataOf = nullptr;
    user->KeepListAsOwn();
  }
  FDataUsersNum = 0;
}

}  // namespace mivo
