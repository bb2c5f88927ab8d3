// TRot3D export and print: the bitmap copies agree with the painted picture,
// the vector copy holds the drawing, black and white draws every object black,
// and printing scales the picture to the printer's resolution.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "mivo/rot3d/rot3d.h"
#include "support/hostile_files.h"
#include "support/image_compare.h"
#include "support/picture_files.h"

namespace mivo {
namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("rot3d_export_" + name)).string();
}

void Scatter(TRot3D& p) {
  p.SetBounds(0, 0, 240, 180);
  p.SetCentX(120);
  p.SetCentY(90);
  p.SetColorData(0x0000FF);
  for (int i = 0; i < 20; ++i) p.MarkAt(std::cos(i * 0.3), std::sin(i * 0.3), 0.1 * i, 3);
  p.MakeVisible();
}

TEST(Rot3DExport, BitmapCopiesMatchThePaintedSurface) {
  TRot3D p;
  Scatter(p);
  p.Repaint();
  TBitmap copy;
  p.CopyToBitmap(copy, true);
  EXPECT_TRUE(test::ImagesEqual(p.Surface(), copy, "rot3d_copy"));
  const std::string bmpFile = TempPath("copy.bmp");
  p.CopyToBMP(bmpFile, true);
  TBitmap loaded;
  loaded.LoadFromFile(bmpFile);
  EXPECT_TRUE(test::ImagesEqual(copy, loaded, "rot3d_bmp"));
  std::remove(bmpFile.c_str());
  p.CopyToClipboard(false);
  TBitmap clip;
  ASSERT_TRUE(Host().GetClipboardBitmap(clip));
  EXPECT_EQ(clip.Width(), 240);
  EXPECT_EQ(clip.Canvas().Pixel(0, 0), p.ColorChart());  // no frame
}

TEST(Rot3DExport, BlackAndWhiteHasNoColouredPixels) {
  TRot3D p;
  Scatter(p);
  p.SetColorChart(0x00FFFF);
  TBitmap colour, bw;
  p.CopyToBitmap(colour, false);
  p.CopyToBitmap(bw, false, true);
  bool red = false, yellow = false;
  for (std::int32_t y = 0; y < bw.Height(); ++y)
    for (std::int32_t x = 0; x < bw.Width(); ++x) {
      red = red || colour.Canvas().Pixel(x, y) == 0x0000FF;
      yellow = yellow || bw.Canvas().Pixel(x, y) == 0x00FFFF || bw.Canvas().Pixel(x, y) == 0x0000FF;
    }
  EXPECT_TRUE(red);
  EXPECT_FALSE(yellow);
  EXPECT_EQ(bw.Canvas().Pixel(1, 1), 0xFFFFFFu);
}

TEST(Rot3DExport, VectorCopyHoldsTheDrawing) {
  TRot3D p;
  Scatter(p);
  p.SetAxNameX("Distance");
  const std::string svgFile = TempPath("copy.svg");
  p.CopyToWMF(svgFile, true);
  std::ifstream in(svgFile);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("<svg"), std::string::npos);
  EXPECT_NE(text.str().find("Distance"), std::string::npos);
  std::remove(svgFile.c_str());
  p.CopyToClipboardWMF(true);
  EXPECT_NE(Host().ClipboardData("image/svg+xml").find("Distance"), std::string::npos);
}

TEST(Rot3DExport, FailedVectorCopyKeepsTheOldFile) {
  TRot3D p;
  Scatter(p);
  // The picture is larger than the files this process may now write.
  EXPECT_TRUE(test::FailedWriteKeepsTheOldFile([&](const std::string& n) { p.CopyToWMF(n, true); },
                                               TempPath("kept.svg")));
}

// One SaveToFile by extension, as every component has; the vector copy takes
// .svg and .pdf (a PDF for a .pdf name) and refuses any other name.
TEST(Rot3DExport, FilesTakeTheFormatTheExtensionNames) {
  TRot3D p;
  Scatter(p);
  test::ExpectSavesByExtension([&](const std::string& n) { p.SaveToFile(n); }, TempPath("saved"), 240, 180,
                               "TRot3D");
  test::ExpectVectorCopyByExtension([&](const std::string& n) { p.CopyToWMF(n, true); }, TempPath("copy"),
                                    "TRot3D");
}

TEST(Rot3DExport, PrintScalesToThePrinter) {
  THeadlessHost* host = HeadlessHost();
  ASSERT_NE(host, nullptr);
  TRot3D p;
  Scatter(p);
  const std::string saved = host->PrintFilePattern();
  host->SetPrintFilePattern("");
  EXPECT_THROW(p.PrintIt(1, false, true), EMivoError);  // no printer
  host->SetPrintFilePattern(TempPath("page_%d.png"));
  const std::size_t before = host->PrintedFiles().size();
  p.PrintIt(1, true, true);
  ASSERT_EQ(host->PrintedFiles().size(), before + 1);
  TPrinter& printer = host->Printer();
  printer.BeginDoc();
  std::int32_t x = 100, y = 50;
  p.CopyToOpenPrinter(x, y, 0.5, false, true);
  // 240 x 180 screen pixels at 300 / 96, halved.
  EXPECT_EQ(x, 100 + 375);
  EXPECT_EQ(y, 50 + 281);
  std::int32_t fx = 0, fy = 0;
  p.CopyToOpenPrinter(fx, fy, std::nan(""), false, true);
  EXPECT_EQ(fx, 750);
  printer.EndDoc();
  for (std::size_t i = before; i < host->PrintedFiles().size(); ++i) std::remove(host->PrintedFiles()[i].c_str());
  host->SetPrintFilePattern(saved);
}

}  // namespace
}  // namespace mivo
