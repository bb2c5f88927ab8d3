// Several listeners on one data object: each hears every change, the owner's
// OnChange keeps working, listeners may come and go during a notification, and
// every listener hears when the object is destroyed.
#include "mivo/base/change_notify.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "mivo/base/data_table.h"

namespace mivo {
namespace {

TEST(ChangeListeners, OwnerHandlerAndListenersAllHearEachChange) {
  TDataTable t(1, 2);
  std::string log;
  t.OnChange = [&](TObject&) { log += "o"; };
  const auto a = t.AddListener([&](TObject&) { log += "a"; });
  t.AddListener([&](TObject&) { log += "b"; });
  t.SetElem(1, 1, 5.0);
  EXPECT_EQ(log, "oab");
  t.RemoveListener(a);
  t.SetElem(1, 1, 5.0);  // no change, no notification
  t.SetElem(1, 2, 6.0);
  EXPECT_EQ(log, "oabob");
  // A batch is one notification for everyone.
  t.BeginUpdate();
  t.SetElem(1, 1, 1.0);
  t.SetElem(1, 2, 2.0);
  t.EndUpdate();
  EXPECT_EQ(log, "oabobob");
  EXPECT_EQ(t.ListenerCount(), 1u);
  t.RemoveListener(a);  // twice, and unknown ids: ignored
  t.RemoveListener(0);
  t.RemoveListener(12345);
  EXPECT_EQ(t.ListenerCount(), 1u);
}

TEST(ChangeListeners, ListenersMayComeAndGoWhileNotified) {
  TDataTable t(1, 1);
  std::vector<std::string> log;
  TChangeNotifier::TListenerId self = 0, other = 0;
  // The first removes itself and the second, and adds a third; many more
  // listeners force the list to grow while it is being walked.
  self = t.AddListener([&](TObject&) {
    log.push_back("first");
    t.RemoveListener(self);
    t.RemoveListener(other);
    t.AddListener([&](TObject&) { log.push_back("third"); });
    for (int i = 0; i < 64; ++i) t.AddListener([](TObject&) {});
  });
  other = t.AddListener([&](TObject&) { log.push_back("second"); });
  t.SetElem(1, 1, 1.0);
  EXPECT_EQ(log, std::vector<std::string>({"first"}));
  t.SetElem(1, 1, 2.0);
  EXPECT_EQ(log, std::vector<std::string>({"first", "third"}));
  EXPECT_FALSE(t.HasListener(self));
  EXPECT_EQ(t.ListenerCount(), 65u);
}

TEST(ChangeListeners, EveryListenerHearsTheEndOnceAndNotAfterRemoval) {
  int goneA = 0, goneB = 0, goneRemoved = 0;
  {
    auto t = std::make_unique<TDataTable>(1, 1);
    t->AddListener([](TObject&) {}, [&] { ++goneA; });
    t->AddListener([](TObject&) {}, [&] { ++goneB; });
    const auto r = t->AddListener([](TObject&) {}, [&] { ++goneRemoved; });
    t->AddListener([](TObject&) {});  // no end handler
    t->RemoveListener(r);
    t.reset();
  }
  EXPECT_EQ(goneA, 1);
  EXPECT_EQ(goneB, 1);
  EXPECT_EQ(goneRemoved, 0);
}

}  // namespace
}  // namespace mivo
