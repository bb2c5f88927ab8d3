// The Antialiased property of every component: registered off by default,
// stored in form files only when on and read back, followed by painting,
// the picture exports and the files saved at a resolution, and safe with
// hostile data and sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "mivo/charts/box_plot.h"
#include "mivo/charts/smith_chart.h"
#include "mivo/colorscale/colorscale.h"
#include "mivo/contour/contour_plot.h"
#include "mivo/gauge/gauge.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/properties.h"
#include "mivo/plot3d/plot3d.h"
#include "mivo/rchart/trchart.h"
#include "mivo/rot3d/rot3d.h"
#include "mivo/scale/scale.h"
#include "../rchart/rchart_test_util.h"

namespace mivo {
namespace {

struct TKind {
  const char* ClassName;
  std::function<std::unique_ptr<TCustomControl>()> Make;
  // Data with slanted lines, curves or marks; null when the component
  // draws only upright lines and text (antialiasing changes nothing there).
  std::function<void(TCustomControl&)> Slanted;
  bool Assigns = true;  // Assign copies the settings of another of its class
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::vector<TKind> Kinds() {
  auto chart = [](TCustomControl& c) {
    auto& r = dynamic_cast<TCustomRChart&>(c);
    r.SetRange(1, 0, 0, 10, 10);
    r.MoveTo(0, 0);
    for (double v : {1.0, kNaN, 2.0, kInf, 3.0, -1e300, 10.0}) r.DrawTo(v, std::sqrt(std::abs(v)) * 3);
    r.MarkAt(5, 5, 3);
  };
  return {
      {"TRChart", [] { return std::make_unique<TRChart>(); }, chart},
      {"TBoxPlot", [] { return std::make_unique<TBoxPlot>(); }, nullptr},
      {"TSmithChart", [] { return std::make_unique<TSmithChart>(); }, nullptr},
      {"TContourPlot", [] { return std::make_unique<TContourPlot>(); }, nullptr},
      {"TScale", [] { return std::make_unique<TScale>(); }, nullptr},
      {"TColorScale", [] { return std::make_unique<TColorScale>(); }, nullptr},
      {"TScaleGauge", [] { return std::make_unique<TScaleGauge>(); },
       [](TCustomControl& c) { dynamic_cast<TScaleGauge&>(c).SetValue(kNaN); }},
      {"TPlot3D", [] { return std::make_unique<TPlot3D>(); },
       [](TCustomControl& c) {
         auto& p = dynamic_cast<TPlot3D&>(c);
         p.GridMat.Resize(6, 6);
         for (int i = 1; i <= 6; ++i)
           for (int j = 1; j <= 6; ++j) p.GridMat.SetElem(i, j, i == 3 && j == 3 ? kNaN : std::sin(i * j * 0.4));
       }},
      {"TRot3D", [] { return std::make_unique<TRot3D>(); },
       [](TCustomControl& c) {
         auto& p = dynamic_cast<TRot3D&>(c);
         p.Moveto(0, 0, 0);
         p.Drawto(1, 2, 3);
         p.Drawto(kNaN, 1, 1);
         p.Drawto(1e300, -1e300, 0);
         p.MarkAt(0.5, 0.5, 0.5, 1);
         p.MakeVisible();
       },
       false},
  };
}

bool HasBlendedPixels(const TBitmap& on, const TBitmap& off) {
  if (on.Width() != off.Width() || on.Height() != off.Height()) return true;
  for (std::int32_t y = 0; y < on.Height(); ++y)
    for (std::int32_t x = 0; x < on.Width(); ++x)
      if (!(on.ScanLine(y)[x] == off.ScanLine(y)[x])) return true;
  return false;
}

bool TopByteClear(const TBitmap& b) {
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x)
      if (b.ScanLine(y)[x].A != 0) return false;
  return true;
}

TEST(Antialiased, IsAPropertyOfEveryComponentOffByDefaultAndRoundTrips) {
  for (const TKind& k : Kinds()) {
    SCOPED_TRACE(k.ClassName);
    auto c = k.Make();
    EXPECT_FALSE(c->Antialiased());
    bool registered = false;
    for (const TPropInfo& p : ClassProperties(k.ClassName))
      if (p.Name == "Antialiased") registered = p.Default == TJson(false);
    EXPECT_TRUE(registered);
    EXPECT_EQ(WriteComponentToString(*c).find("Antialiased"), std::string::npos);
    c->SetAntialiased(true);
    const std::string text = WriteComponentToString(*c);
    EXPECT_NE(text.find("\"Antialiased\": true"), std::string::npos);
    auto back = k.Make();
    ReadComponentFromString(*back, text);
    EXPECT_TRUE(back->Antialiased());
    if (k.Assigns) {
      auto copy = k.Make();
      copy->Assign(*back);
      EXPECT_TRUE(copy->Antialiased());
    }
  }
}

// Painting, the bitmap export and the 192 dpi file all follow the property,
// and with it off give the picture they always gave.
TEST(Antialiased, PaintingAndPicturesFollowTheProperty) {
  for (const TKind& k : Kinds()) {
    if (!k.Slanted) continue;
    SCOPED_TRACE(k.ClassName);
    TBitmap painted[2], saved[2];
    for (int aa = 0; aa < 2; ++aa) {
      auto c = k.Make();
      c->SetBounds(0, 0, 160, 120);
      k.Slanted(*c);
      c->SetAntialiased(aa == 1);
      painted[aa] = c->PaintedSurface();
      EXPECT_TRUE(TopByteClear(painted[aa]));
      const std::string png = test::TempPath(std::string("aa_") + k.ClassName + ".png");
      if (auto* r = dynamic_cast<TCustomRChart*>(c.get())) r->SaveToFile(png, 192);
      if (auto* p = dynamic_cast<TPlot3D*>(c.get())) p->SaveToFile(png, 192);
      if (auto* p = dynamic_cast<TRot3D*>(c.get())) p->SaveToFile(png, 192);
      if (auto* g = dynamic_cast<TScaleGauge*>(c.get())) g->SaveToFile(png, 192);
      saved[aa].LoadFromPNG(png);
      std::filesystem::remove(png);
    }
    EXPECT_TRUE(HasBlendedPixels(painted[1], painted[0]));
    EXPECT_TRUE(HasBlendedPixels(saved[1], saved[0]));
    EXPECT_EQ(saved[1].Width(), saved[0].Width());
  }
}

TEST(Antialiased, HostileSizesPaintSafely) {
  for (const TKind& k : Kinds()) {
    SCOPED_TRACE(k.ClassName);
    for (std::int32_t side : {0, 1, 3}) {
      auto c = k.Make();
      c->SetAntialiased(true);
      c->SetBounds(0, 0, side, side == 3 ? 4000 : side);
      if (k.Slanted) k.Slanted(*c);
      EXPECT_TRUE(TopByteClear(c->PaintedSurface()));
    }
  }
}

}  // namespace
}  // namespace mivo
