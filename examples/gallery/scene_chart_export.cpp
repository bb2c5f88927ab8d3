// The 2D chart's exports: one chart written as PNG (the sheet itself), BMP,
// SVG and PDF beside the gallery's sheets; a sheet laying the raster picture
// beside the SVG and PDF as rsvg-convert and pdftoppm draw them (when those
// tools are installed) and the black-and-white rendering; and two charts
// showing one display list over different ranges.

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart.h"

namespace {

using namespace mivo;
namespace fs = std::filesystem;

constexpr std::int32_t kTitleHeight = 18, kGap = 12;
constexpr std::int32_t kChartW = 420, kChartH = 300;

// A damped wave with its envelope, bars and marks: colour, text, fills and
// a line running out of the data area.
void SetUpChart(TCustomRChart& c) {
  c.SetBounds(0, 0, kChartW, kChartH);
  c.SetChartCaption("Damped oscillation");
  c.SetGridStyle(GridStyleType::gsPoints);
  c.SetWindCol(0xF0E8E0);
  c.SetRange(1, 0, -1.2, 10, 1.2);
  c.SetFillCol(clYellow);
  c.SetDataCol(clGray);
  for (std::int32_t i = 0; i < 10; ++i) c.Rectangle(i + 0.3, 0, i + 0.7, std::exp(-0.25 * i) * 0.9);
  c.SetDataCol(clBlue);
  c.SetLineWid(2);
  c.MoveTo(0, 0);
  for (std::int32_t i = 1; i <= 240; ++i) c.DrawTo(i * 0.05, std::sin(i * 0.1) * std::exp(-0.025 * i));
  c.SetLineWid(1);
  c.SetDataCol(clRed);
  c.Line(-1, 1.1, 12, -0.3);  // beyond both sides of the data area
  c.SetDataCol(clGreen);
  for (std::int32_t k = 0; k < 6; ++k) c.MarkAt(1.5 * k + 0.8, -0.9, std::uint8_t(k + 1));
  c.SetDataCol(clNavy);
  c.Text(6.2, 0.85, 10, "damped wave");
  c.SetSuppressPaint(false);
}

bool HaveTool(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The tool's picture of a document, or an empty bitmap when it is missing or
// fails.
TBitmap Rasterised(const std::string& tool, const std::string& command, const std::string& png) {
  TBitmap out;
  if (!HaveTool(tool.c_str()) || std::system(command.c_str()) != 0) return out;
  try {
    out.LoadFromPNG(png);
  } catch (const std::exception&) {
    out = TBitmap();
  }
  std::error_code ec;
  fs::remove(png, ec);
  return out;
}

void Label(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& text) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, text);
}

void Place(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& title, const TBitmap& picture) {
  Label(sheet, x, y, title);
  sheet.Canvas().Draw(x, y + kTitleHeight, picture);
}

void RenderExport(TBitmap& bmp) {
  TCustomRChart chart;
  SetUpChart(chart);
  chart.CopyToBitmap(bmp, false);
  const fs::path dir = gallery::OutDir();
  chart.CopyToBMP((dir / "chart-export.bmp").string(), false);
  chart.CopyToWMF((dir / "chart-export.svg").string(), false);
  chart.CopyToWMF((dir / "chart-export.pdf").string(), false);
}

void RenderExportSheet(TBitmap& bmp) {
  TCustomRChart chart;
  SetUpChart(chart);
  TBitmap raster, mono;
  chart.CopyToBitmap(raster, false);
  chart.CopyToBitmap(mono, true);
  const fs::path tmp = fs::temp_directory_path() / ("mivo_gallery_export_" + std::to_string(std::rand()));
  fs::create_directories(tmp);
  const std::string svg = (tmp / "chart.svg").string(), pdf = (tmp / "chart.pdf").string();
  chart.CopyToWMF(svg, false);
  chart.CopyToWMF(pdf, false);
  const TBitmap fromSvg = Rasterised("rsvg-convert", "rsvg-convert -o '" + svg + ".png' '" + svg + "'", svg + ".png");
  const TBitmap fromPdf = Rasterised(
      "pdftoppm", "pdftoppm -r 96 -png -singlefile '" + pdf + "' '" + (tmp / "pdf").string() + "'",
      (tmp / "pdf.png").string());
  std::error_code ec;
  fs::remove_all(tmp, ec);

  struct TEntry {
    std::string Title;
    const TBitmap* Picture;
  };
  std::vector<TEntry> entries{{"CopyToBitmap (raster)", &raster}};
  if (fromSvg.Width() > 0) entries.push_back({"CopyToWMF .svg, drawn by rsvg-convert", &fromSvg});
  if (fromPdf.Width() > 0) entries.push_back({"CopyToWMF .pdf, drawn by pdftoppm at 96 dpi", &fromPdf});
  entries.push_back({"CopyToBitmap, black and white", &mono});

  const std::int32_t cols = 2, rows = std::int32_t((entries.size() + 1) / 2);
  bmp.SetSize(kGap + cols * (kChartW + kGap), kGap + rows * (kChartH + kTitleHeight + kGap));
  bmp.Clear(clWhite);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::int32_t col = std::int32_t(i % 2), row = std::int32_t(i / 2);
    Place(bmp, kGap + col * (kChartW + kGap), kGap + row * (kChartH + kTitleHeight + kGap), entries[i].Title,
          *entries[i].Picture);
  }
}

void RenderSharing(TBitmap& bmp) {
  TCustomRChart owner, user;
  SetUpChart(owner);
  owner.SetChartCaption("owner: 0 ... 10");
  user.SetBounds(0, 0, kChartW, kChartH);
  user.SetUseDataOf(&owner);
  user.SetChartCaption("user: 1 ... 4 of the same list");
  user.SetWindCol(0xE0F0E0);
  user.SetGridStyle(GridStyleType::gsLines);
  user.SetRange(1, 1, -0.8, 4, 1.0);
  // An item added through the user shows in both.
  user.SetDataCol(clFuchsia);
  user.SetLineWid(3);
  user.Line(1.5, -0.6, 3.5, 0.6);
  user.ShowGraf();
  user.SetSuppressPaint(false);
  owner.Paint();
  user.Paint();

  bmp.SetSize(kGap + 2 * (kChartW + kGap), kGap + kChartH + kTitleHeight + kGap + kTitleHeight);
  bmp.Clear(clWhite);
  Place(bmp, kGap, kGap, "owner of the display list", owner.Surface());
  Place(bmp, 2 * kGap + kChartW, kGap, "UseDataOf = owner, its own range", user.Surface());
  Label(bmp, kGap, kGap + kTitleHeight + kChartH + 4,
        "the magenta line was added through the user; both show " + std::to_string(owner.NumItems()) + " items");
}

MIVO_GALLERY_SCENE("chart-export.png", RenderExport);
MIVO_GALLERY_SCENE("chart-export-sheet.png", RenderExportSheet);
MIVO_GALLERY_SCENE("chart-sharing.png", RenderSharing);

}  // namespace
