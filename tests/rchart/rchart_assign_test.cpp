// Assign between charts, painting at sizes from nothing to very large, and
// the rounding of the linear mapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>
#include <limits>
#include <memory>
#include <string>

#include "mivo/base/crosshair.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "support/image_compare.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

using test::TCountingChart;
using test::UseTestGeometry;

TColor PixelOf(const TBitmap& bmp, std::int32_t x, std::int32_t y) {
  TBitmap copy(bmp);
  return copy.Canvas().Pixel(x, y);
}

bool SameItem(const TrcChartItem& a, const TrcChartItem& b) {
  return a.ItemKind == b.ItemKind && a.x == b.x && a.y == b.y && a.x2 == b.x2 && a.y2 == b.y2 &&
         a.Color == b.Color && a.Layer == b.Layer && a.ItemClass == b.ItemClass && a.MarkOrAlign == b.MarkOrAlign;
}

// A chart far from its defaults in every group of settings that Assign copies.
void Decorate(TCustomRChart& c) {
  UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);
  c.SetF3DRim(6);
  c.SetShadowStyle(TShadowStyle::ssDrop);
  c.SetShadowColor(0x405060);
  c.SetWindColor(0xE0F0E0);
  c.SetChartColor(0xF8F0E8);
  c.SetCaption("Assigned");
  c.SetGridStyle(GridStyleType::gsDotLines);
  c.SetGridColor(0x808000);
  c.SetRange(1, 0, 1, 10, 1000);
  c.Scale1Y().SetLogAx(true);
  c.SetRange(2, -5, -1, 5, 1);
  c.Scale2X().SetCaption("layer 2");
  c.BackGroundImg().SetAreaMode(TBGAreaMode::bamVStripe);
  c.BackGroundImg().SetAreaLeft(2);
  c.BackGroundImg().SetAreaRight(4);
  c.JointLayers().SetL02xControlledBy(1);
  c.SetDataColor(clRed);
  c.SetLineWidth(2);
  c.MoveTo(0, 1);
  for (int i = 1; i <= 10; ++i) c.DrawTo(i, 1.0 + i * i * 9);
  c.SetClassDefault(7);
  c.MarkAt(5, 100, 3);
  c.SetActiveLayer(2);
  c.SetDataColor(clBlue);
  c.Line(-5, -1, 5, 1);
  c.SetClassDefault(9);
  c.Line(-5, 1, 5, -1);  // class 9 hidden below
  c.SetClassVisib(9, false);
  c.CrossHair(2).SetMode(TCrossHMode::chBoth);
  c.CrossHair(2).SetPos(1, 1);
  c.TextLabels(3).SetCaption("label");
  c.TextLabels(3).SetMode(TTxtLblMode::tlSimple);
  c.TextLabels(3).SetVisible(true);
  c.SetRange(1, 1, 2, 8, 500);  // a second entry on the zoom history
}

TEST(RChartAssign, TheCopyPaintsLikeItsSourceAndStandsOnItsOwn) {
  TCustomRChart src;
  Decorate(src);
  std::int32_t rendered = 0;
  TObject* renderedBy = nullptr;
  src.OnDataRendered = [&](TObject& sender, TCanvas&, std::int32_t, std::int32_t) {
    ++rendered;
    renderedBy = &sender;
  };
  src.Paint();

  TCountingChart dst;
  UseTestGeometry(dst);
  dst.SetSuppressPaint(false);
  dst.MarkAt(0.5, 0.5, 1);  // replaced, not kept
  dst.Paints = 0;
  rendered = 0;
  dst.Assign(src);
  EXPECT_EQ(dst.Paints, 1);  // one paint, at the end
  EXPECT_EQ(rendered, 1);    // the source's callback, reporting the copy
  EXPECT_EQ(renderedBy, &dst);

  EXPECT_TRUE(test::ImagesEqual(dst.ChartBmp(), src.ChartBmp()));
  EXPECT_TRUE(test::ImagesEqual(dst.Surface(), src.Surface()));
  EXPECT_TRUE(test::ImagesEqual(dst.GrafBmp(), src.GrafBmp()));

  ASSERT_EQ(dst.NumItems(), src.NumItems());
  EXPECT_EQ(dst.NumAllocated(), src.NumAllocated());
  for (std::int32_t i = 0; i < src.NumItems(); ++i)
    EXPECT_TRUE(SameItem(dst.GetChartItem(i), src.GetChartItem(i))) << i;
  EXPECT_EQ(dst.ItemCount(TrcItem::tkLineto), 10);
  EXPECT_EQ(dst.ItemCount(TrcItem::tkLine), 2);
  EXPECT_EQ(dst.ItemCount(TrcItem::tkMarkAt), 1);
  EXPECT_FALSE(dst.ClassVisible(9));
  EXPECT_EQ(dst.ActiveLayer(), 2);
  EXPECT_EQ(dst.DataColor(), clBlue);
  EXPECT_EQ(dst.StandardLayout(), TrcLayout::rcl_X2Both_Y2Both);
  EXPECT_EQ(dst.JointLayers().L02xControlledBy(), 1);
  EXPECT_TRUE(dst.Scale1Y().Logarithmic());
  EXPECT_EQ(dst.Scale2X().Caption(), "layer 2");
  EXPECT_EQ(dst.CrossHair(2).Mode(), TCrossHMode::chBoth);
  EXPECT_EQ(dst.TextLabels(3).Caption(), "label");
  for (std::int32_t layer = 1; layer <= 2; ++layer)
    EXPECT_EQ(dst.Cpkx(layer), src.Cpkx(layer)) << layer;
  EXPECT_EQ(dst.ZoomStackPointer(), src.ZoomStackPointer());
  for (std::int32_t ix = -15; ix <= 0; ++ix) {
    const TRectDouble a = dst.ZoomStack(1, ix), b = src.ZoomStack(1, ix);
    EXPECT_TRUE(a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom) << ix;
  }
  // The copy's scales draw on its own bitmap, and its sub-objects notify it.
  EXPECT_EQ(dst.ScaleX(1).ForeignCanvas(), &const_cast<TBitmap&>(dst.ChartBmp()).Canvas());
  dst.Paints = 0;
  dst.CrossHair(1).SetColor(clGreen);
  dst.Scale1X().SetCaption("own");
  EXPECT_EQ(dst.Paints, 2);
  EXPECT_EQ(src.Scale1X().Caption(), "");

  // The list is a copy: changes on either side stay there.
  const std::int32_t n = src.NumItems();
  src.MarkAt(5, 5, 2);
  dst.RemoveFirstItem();
  EXPECT_EQ(src.NumItems(), n + 1);
  EXPECT_EQ(dst.NumItems(), n - 1);
  EXPECT_EQ(src.GetTypeOfFirstItem(), TrcItem::tkMoveTo);
}

TEST(RChartAssign, SelfAndForeignSourcesChangeNothing) {
  TCountingChart c;
  Decorate(c);
  c.Paint();
  const TBitmap before = c.ChartBmp();
  const std::int32_t n = c.NumItems();
  c.Paints = 0;
  c.Assign(c);
  EXPECT_EQ(c.NumItems(), n);
  EXPECT_EQ(c.GetTypeOfLastItem(), TrcItem::tkLine);
  c.Paint();
  EXPECT_TRUE(test::ImagesEqual(c.ChartBmp(), before));

  // Anything but a chart goes to the base assignment, which refuses it.
  TCrossHair ch;
  try {
    c.Assign(ch);
    ADD_FAILURE() << "no error";
  } catch (const EMivoError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TCrossHair to a TCustomRChart");
  }
  EXPECT_EQ(c.NumItems(), n);

  // An empty chart empties the copy.
  TCustomRChart empty;
  c.Assign(empty);
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocated(), 0);
  EXPECT_EQ(c.ItemCount(TrcItem::tkLineto), 0);
  c.DrawTo(1, 1);  // and can grow again
  EXPECT_EQ(c.NumAllocated(), 1000);
}

// Items of every kind, some far outside the range or not finite.
void FillAllKinds(TCustomRChart& c) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  c.MoveTo(0, 0);
  c.DrawTo(5, 5);
  c.DrawTo(1e300, -1e300);
  c.DrawTo(nan, inf);
  c.MarkAt(2, 2, 5);
  c.MarkErrorBar(3, 3, 1, -1, TOrientation::orVertical, 4);
  c.Line(-inf, 0, inf, 10);
  c.LineOffset(1, 1, 2, 2, 5, -5);
  c.Rectangle(1, 1, 4, 4);
  c.RectangleRelPix(5, 5, 3000000, 3);
  c.RectFrame(6, 6, 8, 8, TFrameStyle::fsLowered, clGray, clWhite);
  c.Bar3D(7, 0, 8, 4, 10, 45);
  c.Ellipse(5, 5, 1e200, 2);
  c.Arc(5, 5, 2, 2, 0, 3);
  c.Arrow(0, 0, 9, 9, 8);
  c.Text(5, 5, 10, "text");
  c.Text(5, 5, 10, "offset", -30, 10, TAlignment::taLeftJustify);
  c.MoveToRelPix(10, 10);
  c.DrawToRelPix(-2000000000, 5);
}

TEST(RChartSizes, PaintsFromBelowTheMarginsToVeryLarge) {
  struct Case {
    std::int32_t W, H, LRim;
  };
  // Sizes below the minimum are raised to it; a left margin wider than the
  // control leaves no data area at all, and one of 229 pixels a single column.
  const Case cases[] = {{0, 0, 50}, {10, 10, 50}, {60, 40, 50}, {280, 200, 400}, {280, 200, 279},
                        {281, 200, 229}, {4000, 3000, 50}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.W) + "x" + std::to_string(k.H) + " left margin " + std::to_string(k.LRim));
    TCustomRChart c;
    c.SetSuppressPaint(false);
    c.SetF3DRim(32);
    c.SetCaption("Size");
    c.SetGridStyle(GridStyleType::gsLines);
    c.SetGridColor(0x0000FF);
    c.SetWindColor(0x203040);
    c.SetChartColor(0xF0F0F0);
    c.BackGroundImg().SetAreaMode(TBGAreaMode::bamRect);
    c.CrossHair(1).SetMode(TCrossHMode::chBoth);
    c.CrossHair(1).SetPos(5, 5);
    c.SetRange(1, 0, 0, 10, 10);
    FillAllKinds(c);
    c.Dispatch(TMessage{TMessageKind::mkSize, TMouseButton::mbLeft, 0, k.W, k.H});
    c.SetLRim(k.LRim);
    c.Paint();
    c.ShowGraf();
    c.DrawTo(6, 6);
    c.ShowGrafNewOnly();

    EXPECT_GE(c.Width(), 50 + 20 + 32 + 80);
    EXPECT_GE(c.Height(), 20 + 40 + 32 + 20);
    EXPECT_EQ(c.ChartBmp().Width(), c.Width());
    EXPECT_EQ(c.ChartBmp().Height(), c.Height());
    const std::int32_t dw = c.Width() - c.MarginLeft() - c.MarginRight() - c.ShadowWidth() + 1;
    EXPECT_EQ(c.DataAreaWidth(), std::max(0, dw));
    EXPECT_EQ(c.GrafBmp().Width(), c.DataAreaWidth());
    EXPECT_EQ(c.GrafBmp().Height(), c.DataAreaHeight());
    EXPECT_EQ(PixelOf(c.ChartBmp(), 2, 2), 0x203040u);  // window colour beside the data area
    if (c.DataAreaWidth() > 4 && c.DataAreaHeight() > 4) {
      // The data area's corner lies beyond the coloured area and the items:
      // background or grid.
      const TColor corner = PixelOf(c.ChartBmp(), c.MarginLeft() + c.DataAreaWidth() - 2, c.MarginTop() + 2);
      EXPECT_TRUE(corner == 0xF0F0F0u || corner == 0x0000FFu) << std::hex << corner;
    }
  }
}

TEST(RChartSizes, ARefusedLogarithmicRangeRaisesFromEveryFullPaintAndKeepsThePicture) {
  TCustomRChart c;
  UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 10, 10);
  c.MoveTo(1, 1);
  c.DrawTo(9, 9);
  c.Paint();
  const TBitmap before = c.ChartBmp();
  const TBitmap screen = c.Surface();
  // A form file with a logarithmic axis over a negative range.
  c.BeginLoading();
  c.ScalePropsX(1).SetLogAx(true);
  c.ScalePropsX(1).SetRangeLow(-4);
  EXPECT_THROW(c.Loaded(), EMivoRChartError);
  try {
    c.Paint();
    ADD_FAILURE() << "no error";
  } catch (const EMivoRChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  TRecordingCanvas rec(TSize{c.Width(), c.Height()});
  EXPECT_THROW(c.PaintTo(rec), EMivoRChartError);
  EXPECT_EQ(rec.Size(), 0u);  // raised before anything was drawn
  EXPECT_TRUE(test::ImagesEqual(c.ChartBmp(), before));
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), screen));
  EXPECT_FALSE(c.SuppressPaint());
  // The data area alone still shows, with the mapping of the last paint.
  c.SetAutoRedraw(true);
  EXPECT_NO_THROW(c.ShowGraf());
  c.DrawTo(5, 1);
  EXPECT_NO_THROW(c.ShowGrafNewOnly());
  // A linear axis brings full painting back.
  c.Scale1X().SetLogAx(false);
  EXPECT_NO_THROW(c.Paint());
  EXPECT_NE(test::DiffImages(c.ChartBmp(), before).Pixels, 0);
}

// The linear mapping computed in extended precision and rounded half to even,
// limited to the 32-bit range, NaN to the upper limit.
std::int32_t ExtendedPixel(long double k, long double d, double v) {
  const long double p = k * v + d;
  if (std::isnan(p)) return std::numeric_limits<std::int32_t>::max();
  return RoundToInt(double(std::clamp<long double>(p, -2147483647.0L, 2147483647.0L)));
}

TEST(RChartMapping, LinearPixelsRoundAsTheExtendedComputation) {
  // Ranges with exact half pixels (0.5 pixels a unit), awkward slopes, tiny
  // and huge spans; values at and near halves, random, huge and non-finite.
  const double ranges[][2] = {{0, 440}, {0, 10}, {-3, 7}, {1e6, 1e6 + 1e-3}, {-1e-7, 3e-7}, {-1e300, 1e300},
                              {10, -10}};
  std::mt19937_64 rng(5);
  const double inf = std::numeric_limits<double>::infinity();
  for (const auto& r : ranges) {
    TCustomRChart c;
    UseTestGeometry(c);
    c.SetRange(1, r[0], r[0], r[1], r[1]);
    const double lo = c.ScalePropsX(1).RangeLow(), hi = c.ScalePropsX(1).RangeHigh();
    std::vector<double> values = {0, lo, hi, inf, -inf, std::nan(""), 1e300, -1e300, 1e15, 4.5e9};
    std::uniform_real_distribution<double> u(-1, 2);
    for (int i = 0; i < 4000; ++i) values.push_back(lo + (hi - lo) * u(rng));
    for (int i = -500; i <= 500; ++i) {
      values.push_back(i);
      values.push_back(i + 0.5);
      values.push_back(std::nextafter(i + 0.5, 1e9));
      values.push_back(std::nextafter(i + 0.5, -1e9));
    }
    // World values that land exactly between two pixels.
    for (int px = -10; px < 300; ++px) {
      const long double v = (px + 0.5L - c.Cpdx(1)) / c.Cpkx(1);
      values.push_back(double(v));
      values.push_back(std::nextafter(double(v), inf));
      values.push_back(std::nextafter(double(v), -inf));
    }
    std::int32_t wrong = 0;
    std::vector<TPoint> inside;  // where a mark at (v, v) goes
    const double ylo = c.ScalePropsY(1).RangeLow(), yhi = c.ScalePropsY(1).RangeHigh();
    for (double v : values) {
      std::int32_t xp = 0, yp = 0;
      c.R2M(1, v, v, xp, yp);
      const std::int32_t wx = ExtendedPixel(c.Cpkx(1), c.Cpdx(1), v);
      const std::int32_t wy = ExtendedPixel(c.Cpky(1), c.Cpdy(1), v);
      if (xp != wx || yp != wy) {
        if (wrong++ == 0) ADD_FAILURE() << "range " << r[0] << " ... " << r[1] << ", value " << v << ": " << xp
                                        << ", " << yp << " instead of " << wx << ", " << wy;
      }
      c.MarkAt(v, v, 9);
      if (v >= std::min(lo, hi) && v <= std::max(lo, hi) && v >= std::min(ylo, yhi) && v <= std::max(ylo, yhi))
        inside.push_back({wx, wy});
    }
    EXPECT_EQ(wrong, 0);
    // The renderer maps its marks as R2M maps points, however it batches them.
    TRecordingCanvas rec;
    c.ConstructDataBmpCanvas(rec, c.MarginLeft(), c.MarginTop(), false, 0);
    std::vector<TPoint> drawn;
    for (const TPrimitive* p : rec.OfKind(TPrimitiveKind::pkRectangle))
      if (p->Rect.Width() == 7 && p->Rect.Height() == 7) drawn.push_back({p->Rect.Left + 3, p->Rect.Top + 3});
    ASSERT_EQ(drawn.size(), inside.size());
    std::int32_t misplaced = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i) misplaced += drawn[i].x != inside[i].x || drawn[i].y != inside[i].y;
    EXPECT_EQ(misplaced, 0) << "range " << r[0] << " ... " << r[1];
  }
}

}  // namespace
}  // namespace mivo
