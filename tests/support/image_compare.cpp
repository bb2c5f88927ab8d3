#include "support/image_compare.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace mivo::test {

TImageDiff DiffImages(const TBitmap& expected, const TBitmap& actual, TChannels channels) {
  TImageDiff d;
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
    d.SizeMismatch = true;
    return d;
  }
  for (std::int32_t y = 0; y < expected.Height(); ++y) {
    const TRGB32* e = expected.ScanLine(y);
    const TRGB32* a = actual.ScanLine(y);
    for (std::int32_t x = 0; x < expected.Width(); ++x) {
      const int db = std::abs(int(e[x].B) - int(a[x].B)), dg = std::abs(int(e[x].G) - int(a[x].G)),
                dr = std::abs(int(e[x].R) - int(a[x].R));
      const int da = channels == TChannels::RGBA ? std::abs(int(e[x].A) - int(a[x].A)) : 0;
      const int m = std::max({db, dg, dr, da});
      if (m == 0) continue;
      if (d.Pixels == 0) d.First = {x, y};
      ++d.Pixels;
      d.MaxDiff = std::max(d.MaxDiff, m);
      d.TotalDiff += db + dg + dr + da;
    }
  }
  return d;
}

void WriteTestImage(const TBitmap& bmp, const std::string& fileStem) {
  const char* dir = std::getenv("MIVO_TEST_OUTPUT");
  if (!dir || !*dir) return;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  try {
    bmp.SaveToPNG((std::filesystem::path(dir) / (fileStem + ".png")).string());
  } catch (const std::exception&) {
    // Writing the picture is a courtesy; the assertion message says it all.
  }
}

::testing::AssertionResult ImagesEqual(const TBitmap& expected, const TBitmap& actual, const std::string& name,
                                       TChannels channels) {
  const TImageDiff d = DiffImages(expected, actual, channels);
  if (!d.SizeMismatch && d.Pixels == 0) return ::testing::AssertionSuccess();
  std::ostringstream msg;
  if (d.SizeMismatch) {
    msg << name << ": size differs: expected " << expected.Width() << " x " << expected.Height() << ", actual "
        << actual.Width() << " x " << actual.Height();
  } else {
    msg << name << ": " << d.Pixels << " pixels differ; largest channel difference " << d.MaxDiff << ", total "
        << d.TotalDiff << "; first at (" << d.First.x << ", " << d.First.y << "): expected 0x" << std::hex
        << FromRGB32(expected.ScanLine(d.First.y)[d.First.x]) << ", actual 0x"
        << FromRGB32(actual.ScanLine(d.First.y)[d.First.x]) << std::dec;
    TBitmap diff(expected.Width(), expected.Height());
    for (std::int32_t y = 0; y < diff.Height(); ++y)
      for (std::int32_t x = 0; x < diff.Width(); ++x) {
        const TRGB32 e = expected.ScanLine(y)[x], a = actual.ScanLine(y)[x];
        const bool same = e.R == a.R && e.G == a.G && e.B == a.B && (channels == TChannels::RGB || e.A == a.A);
        // Differences in red over a dimmed copy of the expected image.
        diff.ScanLine(y)[x] = same ? TRGB32{std::uint8_t(e.B / 3 + 170), std::uint8_t(e.G / 3 + 170),
                                            std::uint8_t(e.R / 3 + 170), 0}
                                   : TRGB32{0, 0, 255, 0};
      }
    WriteTestImage(expected, name + "_expected");
    WriteTestImage(actual, name + "_actual");
    WriteTestImage(diff, name + "_diff");
  }
  return ::testing::AssertionFailure() << msg.str();
}

::testing::AssertionResult ImagesEqual(const TBitmap& expected, const TBitmap& actual, TChannels channels) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "image";
  std::replace(name.begin(), name.end(), '/', '_');
  return ImagesEqual(expected, actual, name, channels);
}

}  // namespace mivo::test
