#pragma once
// Pixel-exact image comparison for tests. A mismatch explains itself: it
// reports how many pixels differ, the largest and the total channel
// difference and the first differing pixel, and writes the expected, actual
// and difference images into $MIVO_TEST_OUTPUT (when set) as
// <name>_expected, <name>_actual and <name>_diff.

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/mivo_types.h"

namespace mivo::test {

struct TImageDiff {
  bool SizeMismatch = false;
  std::int64_t Pixels = 0;     // pixels whose RGB differ
  std::int32_t MaxDiff = 0;    // largest channel difference
  std::int64_t TotalDiff = 0;  // sum of channel differences
  TPoint First{-1, -1};        // first differing pixel in row order
};

// Which channels a comparison looks at: colour only (what a screen shows), or
// colour and alpha (what a file keeps).
enum class TChannels { RGB, RGBA };

TImageDiff DiffImages(const TBitmap& expected, const TBitmap& actual, TChannels channels = TChannels::RGB);

// Succeeds when the images are equal in size and in the channels compared;
// otherwise describes the difference and writes the three images.
::testing::AssertionResult ImagesEqual(const TBitmap& expected, const TBitmap& actual, const std::string& name,
                                       TChannels channels = TChannels::RGB);
// The same, the images named after the running test.
::testing::AssertionResult ImagesEqual(const TBitmap& expected, const TBitmap& actual,
                                       TChannels channels = TChannels::RGB);

// Writes a bitmap for inspection (into $MIVO_TEST_OUTPUT, nothing when unset).
void WriteTestImage(const TBitmap& bmp, const std::string& fileStem);

}  // namespace mivo::test
