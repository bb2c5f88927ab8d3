#pragma once
// TChangeNotifier: the OnChange plumbing shared by the base package's data
// objects (matrices, vectors, colour arrays, data tables).
//
// Every change of size or content raises OnChange once, after the change.
// Between BeginUpdate and the matching EndUpdate the notifications are held
// back, and EndUpdate raises a single OnChange when anything changed - filling
// a 1000 x 1000 matrix element by element then costs one notification.
// Calls nest; an EndUpdate without BeginUpdate is ignored.

#include <cstdint>

#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TChangeNotifier {
 public:
  TNotifyEvent OnChange;

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate(TObject& sender) {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FPending) {
      FPending = false;
      if (OnChange) OnChange(sender);
    }
  }
  bool Updating() const { return FUpdateCount > 0; }

 protected:
  void Notify(TObject& sender) {
    if (FUpdateCount > 0) {
      FPending = true;
      return;
    }
    if (OnChange) OnChange(sender);
  }

 private:
  std::int32_t FUpdateCount = 0;
  bool FPending = false;
};

}  // namespace mivo
MIVO_PUBLIC_END
