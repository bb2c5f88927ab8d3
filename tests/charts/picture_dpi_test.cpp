// Pictures saved at a chosen resolution, the same for every component: 96 dpi
// is the screen picture, 300 dpi the same layout 300 / 96 times larger with
// the resolution recorded in the PNG, vector files as without a resolution,
// and a resolution that cannot be used refused before anything is written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "mivo/colorscale/colorscale.h"
#include "mivo/gauge/gauge.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "mivo/plot3d/plot3d.h"
#include "mivo/rchart/trchart.h"
#include "mivo/rot3d/rot3d.h"
#include "mivo/scale/scale.h"
#include "../rchart/rchart_test_util.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

using TSaveAt = std::function<void(const std::string& name, double dpi)>;

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TBitmap Load(const std::string& name) {
  TBitmap bmp;
  if (name.ends_with(".png"))
    bmp.LoadFromPNG(name);
  else
    bmp.LoadFromFile(name);
  return bmp;
}

// The horizontal and vertical pixels per metre of the PNG's pHYs chunk, or
// (0, 0) when it has none.
std::pair<std::uint32_t, std::uint32_t> PngPixelsPerMetre(const std::string& bytes) {
  const auto at = bytes.find("pHYs");
  if (at == std::string::npos || at + 13 > bytes.size()) return {0, 0};
  const auto be32 = [&](std::size_t i) {
    return std::uint32_t(std::uint8_t(bytes[i])) << 24 | std::uint32_t(std::uint8_t(bytes[i + 1])) << 16 |
           std::uint32_t(std::uint8_t(bytes[i + 2])) << 8 | std::uint32_t(std::uint8_t(bytes[i + 3]));
  };
  EXPECT_EQ(bytes[at + 12], 1) << "the unit is the metre";
  return {be32(at + 4), be32(at + 8)};
}

// The pixels per metre of a BMP file's header.
std::pair<std::uint32_t, std::uint32_t> BmpPixelsPerMetre(const std::string& bytes) {
  if (bytes.size() < 46) return {0, 0};
  const auto le32 = [&](std::size_t i) {
    return std::uint32_t(std::uint8_t(bytes[i])) | std::uint32_t(std::uint8_t(bytes[i + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[i + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[i + 3])) << 24;
  };
  return {le32(38), le32(42)};
}

// A picture as floating-point channels, for comparing at the screen's size.
using TChannels = std::vector<double>;

// `big` averaged down box by box to `w` x `h`.
TChannels Downsampled(const TBitmap& big, std::int32_t w, std::int32_t h) {
  TChannels out(std::size_t(w) * h * 3);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) {
      const std::int32_t x0 = std::int32_t(std::int64_t(x) * big.Width() / w);
      const std::int32_t x1 = std::max(x0 + 1, std::int32_t(std::int64_t(x + 1) * big.Width() / w));
      const std::int32_t y0 = std::int32_t(std::int64_t(y) * big.Height() / h);
      const std::int32_t y1 = std::max(y0 + 1, std::int32_t(std::int64_t(y + 1) * big.Height() / h));
      double sum[3] = {0, 0, 0};
      for (std::int32_t yy = y0; yy < y1; ++yy)
        for (std::int32_t xx = x0; xx < x1; ++xx) {
          const TRGB32 p = big.ScanLine(yy)[xx];
          sum[0] += p.R, sum[1] += p.G, sum[2] += p.B;
        }
      for (int k = 0; k < 3; ++k) out[(std::size_t(y) * w + x) * 3 + k] = sum[k] / (double(x1 - x0) * (y1 - y0));
    }
  return out;
}

// A 3 x 3 box blur: a line one pixel off its place on the screen still meets
// itself, a line in another place does not.
TChannels Blurred(const TChannels& in, std::int32_t w, std::int32_t h) {
  TChannels out(in.size());
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x)
      for (int k = 0; k < 3; ++k) {
        double sum = 0;
        int n = 0;
        for (std::int32_t yy = std::max(0, y - 1); yy <= std::min(h - 1, y + 1); ++yy)
          for (std::int32_t xx = std::max(0, x - 1); xx <= std::min(w - 1, x + 1); ++xx, ++n)
            sum += in[(std::size_t(yy) * w + xx) * 3 + k];
        out[(std::size_t(y) * w + x) * 3 + k] = sum / n;
      }
  return out;
}

// The mean absolute difference per channel between `big` brought down to the
// size of `small` and `small`, both blurred.
double MeanDifferenceDownsampled(const TBitmap& big, const TBitmap& small) {
  const std::int32_t w = small.Width(), h = small.Height();
  const TChannels a = Blurred(Downsampled(big, w, h), w, h);
  const TChannels b = Blurred(Downsampled(small, w, h), w, h);
  double total = 0;
  for (std::size_t i = 0; i < a.size(); ++i) total += std::abs(a[i] - b[i]);
  return total / double(a.size());
}

struct TDpiCase {
  const char* Name;
  std::int32_t Width, Height;
  // Saves with a resolution and without one.
  TSaveAt SaveAt;
  std::function<void(const std::string&)> Save;
};

// Each component with something drawn, kept alive for the test.
std::vector<TDpiCase> Cases(std::vector<std::shared_ptr<void>>& keep) {
  std::vector<TDpiCase> cases;
  {
    auto c = std::make_shared<TRChart>();
    keep.push_back(c);
    test::UseTestGeometry(*c);
    c->SetChartCaption("Resolution");
    c->SetGridStyle(GridStyleType::gsLines);
    c->SetRange(1, 0, 0, 10, 10);
    c->SetDataCol(0x0000FF);
    c->SetLineWid(2);
    c->MoveTo(0, 1);
    c->DrawTo(10, 9);
    c->MarkAt(5, 5, 3);
    cases.push_back({"TRChart", 280, 200, [c](const std::string& n, double d) { c->SaveToFile(n, d); },
                     [c](const std::string& n) { c->SaveToFile(n); }});
  }
  {
    auto p = std::make_shared<TPlot3D>();
    keep.push_back(p);
    p->SetSuppressPaint(true);
    p->SetBounds(0, 0, 240, 180);
    p->SetMagnification(0.4);
    p->GridMat.Resize(6, 5);
    for (std::int32_t c = 1; c <= 6; ++c)
      for (std::int32_t r = 1; r <= 5; ++r) p->GridMat.SetElem(c, r, 0.1 * c - 0.2 * r);
    p->SetSuppressPaint(false);
    cases.push_back({"TPlot3D", 240, 180, [p](const std::string& n, double d) { p->SaveToFile(n, d); },
                     [p](const std::string& n) { p->SaveToFile(n); }});
  }
  {
    auto p = std::make_shared<TRot3D>();
    keep.push_back(p);
    p->SetBounds(0, 0, 240, 180);
    p->SetCentX(120);
    p->SetCentY(90);
    p->SetColorData(0x0000FF);
    for (int i = 0; i < 20; ++i) p->MarkAt(std::cos(i * 0.3), std::sin(i * 0.3), 0.1 * i, 3);
    p->MakeVisible();
    cases.push_back({"TRot3D", 240, 180, [p](const std::string& n, double d) { p->SaveToFile(n, d); },
                     [p](const std::string& n) { p->SaveToFile(n); }});
  }
  {
    auto s = std::make_shared<TScale>();
    keep.push_back(s);
    s->SetBounds(0, 0, 200, 60);
    cases.push_back({"TScale", 200, 60, [s](const std::string& n, double d) { s->SaveToFile(n, d); },
                     [s](const std::string& n) { s->SaveToFile(n); }});
  }
  {
    auto s = std::make_shared<TColorScale>();
    keep.push_back(s);
    s->SetBounds(0, 0, 80, 200);
    cases.push_back({"TColorScale", 80, 200, [s](const std::string& n, double d) { s->SaveToFile(n, d); },
                     [s](const std::string& n) { s->SaveToFile(n); }});
  }
  {
    auto g = std::make_shared<TScaleGauge>();
    keep.push_back(g);
    g->SetBounds(0, 0, 200, 120);
    cases.push_back({"TScaleGauge", 200, 120, [g](const std::string& n, double d) { g->SaveToFile(n, d); },
                     [g](const std::string& n) { g->SaveToFile(n); }});
  }
  return cases;
}

class PictureDpi : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHost(nullptr);
    HeadlessHost()->Quiet = true;
  }
  std::vector<std::shared_ptr<void>> Keep;
};

TEST_F(PictureDpi, ScreenResolutionIsTheScreenPicture) {
  for (const TDpiCase& c : Cases(Keep)) {
    SCOPED_TRACE(c.Name);
    const std::string plain = test::TempPath(std::string("dpi_plain_") + c.Name + ".png"), at96 = test::TempPath(std::string("dpi_96_") + c.Name + ".png");
    const std::string bmp96 = test::TempPath(std::string("dpi_96_") + c.Name + ".bmp");
    // The first picture after set-up, compared with later ones: it has the grid too.
    c.Save(plain);
    c.SaveAt(at96, 96);
    c.SaveAt(bmp96, 96);
    const TBitmap a = Load(plain), b = Load(at96), d = Load(bmp96);
    EXPECT_EQ(a.Width(), c.Width);
    EXPECT_EQ(a.Height(), c.Height);
    EXPECT_TRUE(test::ImagesEqual(a, b, std::string("dpi96_png_") + c.Name));
    EXPECT_TRUE(test::ImagesEqual(a, d, std::string("dpi96_bmp_") + c.Name));
    EXPECT_EQ(PngPixelsPerMetre(ReadAll(at96)), std::make_pair(3780u, 3780u));  // 96 / 0.0254
    if (std::getenv("MIVO_KEEP_DPI")) continue;
    for (const auto& f : {plain, at96, bmp96}) std::filesystem::remove(f);
  }
}

// The print-sized picture: every side 300 / 96 times the screen's, drawn
// rather than enlarged, and averaged back down close to the screen picture.
TEST_F(PictureDpi, HighResolutionKeepsTheLayoutAtTheScaledSize) {
  for (const TDpiCase& c : Cases(Keep)) {
    SCOPED_TRACE(c.Name);
    const std::string at96 = test::TempPath(std::string("dpi_s96_") + c.Name + ".png"), at300 = test::TempPath(std::string("dpi_s300_") + c.Name + ".png");
    const std::string bmp300 = test::TempPath(std::string("dpi_s300_") + c.Name + ".bmp");
    c.SaveAt(at96, 96);
    c.SaveAt(at96, 96);
    c.SaveAt(at300, 300);
    c.SaveAt(bmp300, 300);
    const TBitmap screen = Load(at96), big = Load(at300);
    EXPECT_EQ(big.Width(), std::lround(c.Width * 300.0 / 96));
    EXPECT_EQ(big.Height(), std::lround(c.Height * 300.0 / 96));
    EXPECT_TRUE(test::ImagesEqual(big, Load(bmp300), std::string("dpi300_bmp_") + c.Name));
    EXPECT_EQ(PngPixelsPerMetre(ReadAll(at300)), std::make_pair(11811u, 11811u));
    EXPECT_EQ(BmpPixelsPerMetre(ReadAll(bmp300)), std::make_pair(11811u, 11811u));
    const double mean = MeanDifferenceDownsampled(big, screen);
    EXPECT_LT(mean, 10.0) << "the 300 dpi picture averaged down differs from the screen's by " << mean;
    // The measure sees a layout that is not the screen's: the picture turned
    // upside down.
    TBitmap flipped(screen.Width(), screen.Height());
    for (std::int32_t y = 0; y < screen.Height(); ++y)
      for (std::int32_t x = 0; x < screen.Width(); ++x)
        flipped.ScanLine(y)[x] = screen.ScanLine(screen.Height() - 1 - y)[x];
    EXPECT_GT(MeanDifferenceDownsampled(big, flipped), 10.0);
    if (std::getenv("MIVO_KEEP_DPI")) continue;
    for (const auto& f : {at96, at300, bmp300}) std::filesystem::remove(f);
  }
}

// Vector pictures have no pixels: a resolution leaves them as they are.
TEST_F(PictureDpi, VectorFilesIgnoreTheResolution) {
  for (const TDpiCase& c : Cases(Keep)) {
    SCOPED_TRACE(c.Name);
    for (const char* ext : {".svg", ".pdf"}) {
      const std::string plain = test::TempPath(std::string("dpi_v") + ext);
      const std::string at = test::TempPath(std::string("dpi_v300") + ext);
      c.Save(plain);
      c.SaveAt(at, 300);
      const std::string a = ReadAll(plain), b = ReadAll(at);
      EXPECT_FALSE(a.empty());
      if (std::string(ext) == ".svg") EXPECT_EQ(a, b);
      else EXPECT_EQ(a.size(), b.size());  // a PDF carries its creation time
      std::filesystem::remove(plain);
      std::filesystem::remove(at);
    }
  }
}

// Zero, negative, not-a-number, infinite, and so large that the bitmap would
// pass the largest one the platform makes: refused with a message naming the
// file, the previous file kept, no new one left behind.
TEST_F(PictureDpi, UnusableResolutionsAreRefusedAndWriteNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct TBad {
    double Dpi;
    const char* Says;
  };
  const TBad bad[] = {{0, "is not a positive number"},    {-300, "is not a positive number"},
                      {nan, "is not a positive number"},  {inf, "is not a positive number"},
                      {-inf, "is not a positive number"}, {1e6, "would exceed the largest supported bitmap"},
                      {1e300, "would exceed the largest supported bitmap"}};
  for (const TDpiCase& c : Cases(Keep)) {
    SCOPED_TRACE(c.Name);
    for (const TBad& b : bad)
      for (const char* ext : {".png", ".bmp", ".svg"}) {
        SCOPED_TRACE(std::to_string(b.Dpi) + ext);
        const bool vector = std::string(ext) == ".svg";
        if (vector && std::string(b.Says).find("exceed") != std::string::npos) continue;  // no pixels to exceed
        const std::string kept = test::TempPath(std::string("dpi_kept") + ext);
        const std::string fresh = test::TempPath(std::string("dpi_fresh") + ext);
        std::ofstream(kept) << "old picture";
        std::filesystem::remove(fresh);
        try {
          c.SaveAt(kept, b.Dpi);
          ADD_FAILURE() << "accepted";
        } catch (const EMivoError& e) {
          EXPECT_NE(std::string(e.what()).find(b.Says), std::string::npos) << e.what();
          EXPECT_NE(std::string(e.what()).find(kept), std::string::npos) << e.what();
        }
        EXPECT_EQ(ReadAll(kept), "old picture");
        EXPECT_THROW(c.SaveAt(fresh, b.Dpi), EMivoError);
        EXPECT_FALSE(std::filesystem::exists(fresh));
        std::filesystem::remove(kept);
      }
  }
}

}  // namespace
}  // namespace mivo
