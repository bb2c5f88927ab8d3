#pragma once
// TChangeNotifier: the OnChange plumbing shared by the base package's data
// objects (matrices, vectors, colour arrays, data tables).
//
// Every change of size or content raises OnChange once, after the change.
// Between BeginUpdate and the matching EndUpdate the notifications are held
// back, and EndUpdate raises a single OnChange when anything changed - filling
// a 1000 x 1000 matrix element by element then costs one notification.
// Calls nest; an EndUpdate without BeginUpdate is ignored.
//
// Besides the one OnChange handler (the owner's), any number of listeners can
// follow the object (AddListener): each hears every change after OnChange, and
// hears once when the object is destroyed, so that a listener never keeps a
// reference to an object that is gone. Listeners may add or remove listeners
// (themselves included) from inside a notification. A copy of the object
// starts without listeners.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

namespace detail {

// The listener list of a TChangeNotifier: not copied with its owner.
class TChangeListeners {
 public:
  using TGoneEvent = std::function<void()>;
  TChangeListeners() = default;
  TChangeListeners(const TChangeListeners&) {}
  TChangeListeners& operator=(const TChangeListeners&) { return *this; }
  ~TChangeListeners();

  std::uint64_t Add(TNotifyEvent onChange, TGoneEvent onGone);
  void Remove(std::uint64_t id);
  bool Contains(std::uint64_t id) const;
  std::size_t Count() const;
  void Notify(TObject& sender);

 private:
  struct TSlot {
    std::uint64_t Id = 0;  // 0: removed, swept after the outermost notification
    TNotifyEvent OnChange;
    TGoneEvent OnGone;
  };
  void Sweep();
  std::vector<TSlot> FSlots;
  std::uint64_t FNextId = 1;
  std::int32_t FNotifying = 0;
};

}  // namespace detail

class TChangeNotifier {
 public:
  using TListenerId = std::uint64_t;
  TNotifyEvent OnChange;

  // Adds a listener: onChange after every change (after OnChange), onGone
  // once while the object is destroyed (the object must not be touched then;
  // the id is void afterwards). Returns the id for RemoveListener (never 0).
  TListenerId AddListener(TNotifyEvent onChange, std::function<void()> onGone = nullptr) {
    return FListeners.Add(std::move(onChange), std::move(onGone));
  }
  // Unknown and already removed ids are ignored.
  void RemoveListener(TListenerId id) { FListeners.Remove(id); }
  bool HasListener(TListenerId id) const { return FListeners.Contains(id); }
  std::size_t ListenerCount() const { return FListeners.Count(); }

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate(TObject& sender) {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FPending) {
      FPending = false;
      Fire(sender);
    }
  }
  bool Updating() const { return FUpdateCount > 0; }

 protected:
  void Notify(TObject& sender) {
    if (FUpdateCount > 0) {
      FPending = true;
      return;
    }
    Fire(sender);
  }

 private:
  void Fire(TObject& sender) {
    if (OnChange) OnChange(sender);
    FListeners.Notify(sender);
  }
  detail::TChangeListeners FListeners;
  std::int32_t FUpdateCount = 0;
  bool FPending = false;
};

}  // namespace mivo
MIVO_PUBLIC_END
