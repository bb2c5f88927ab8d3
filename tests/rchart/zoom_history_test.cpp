#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "mivo/rchart/zoom_history.h"

namespace mivo {
namespace {

// Records n entries, the k-th (from 1) holding k on layer 0 and -k on layer 1.
TZoomHistory Recorded(std::int32_t n) {
  TZoomHistory h;
  for (std::int32_t k = 1; k <= n; ++k) {
    h.Write(0, {double(k), 0, 0, 0});
    h.Write(1, {double(-k), 0, 0, 0});
    h.Advance();
  }
  return h;
}

TEST(ZoomHistory, ReadsBackFromTheNewestAcrossTheWrap) {
  struct Case {
    std::int32_t records;
    std::int32_t pointer;
    std::vector<std::pair<std::int32_t, double>> reads;  // index, record number (0: empty)
  };
  const std::vector<Case> cases = {
      {0, 1, {{0, 0}, {-15, 0}}},
      {1, 2, {{0, 1}, {-1, 0}, {-15, 0}}},
      {15, 16, {{0, 15}, {-14, 1}, {-15, 0}}},
      {16, 1, {{0, 16}, {-1, 15}, {-15, 1}}},
      {17, 2, {{0, 17}, {-1, 16}, {-15, 2}}},  // the oldest was overwritten
      {40, 9, {{0, 40}, {-7, 33}, {-8, 32}, {-15, 25}}},
  };
  for (const Case& c : cases) {
    const TZoomHistory h = Recorded(c.records);
    EXPECT_EQ(h.Pointer(), c.pointer) << c.records;
    for (const auto& [index, k] : c.reads) {
      EXPECT_EQ(h.At(0, index)[0], k) << c.records << " records, index " << index;
      EXPECT_EQ(h.At(1, index)[0], k == 0 ? 0.0 : -k) << c.records << " records, index " << index;
      EXPECT_EQ(TZoomHistory::IsEmpty(h.At(0, index)), k == 0);
    }
  }
}

TEST(ZoomHistory, StepBackMakesTheNextRecordReplaceTheNewest) {
  for (const std::int32_t n : {1, 15, 16, 17}) {
    TZoomHistory h = Recorded(n);
    const std::int32_t pointer = h.Pointer();
    h.StepBack();
    h.Write(0, {99, 0, 0, 0});
    h.Advance();
    EXPECT_EQ(h.Pointer(), pointer) << n;
    EXPECT_EQ(h.At(0, 0)[0], 99) << n;
    EXPECT_EQ(h.At(0, -1)[0], n - 1) << n;
  }
}

TEST(ZoomHistory, IndexOutsideTheRingIsInvalidAndClearEmptiesIt) {
  for (const std::int32_t i : {1, -16, -1000}) EXPECT_FALSE(TZoomHistory::ValidIndex(i)) << i;
  for (const std::int32_t i : {0, -15}) EXPECT_TRUE(TZoomHistory::ValidIndex(i)) << i;
  TZoomHistory h = Recorded(20);
  h.Clear();
  EXPECT_EQ(h.Pointer(), 1);
  for (std::int32_t i = 0; i > -kZoomStackSize; --i) EXPECT_TRUE(TZoomHistory::IsEmpty(h.At(0, i))) << i;
}

}  // namespace
}  // namespace mivo
