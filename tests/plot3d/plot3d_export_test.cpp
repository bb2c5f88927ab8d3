// TPlot3D export and print: the bitmap copies agree with the painted picture,
// the vector copy holds the recorded drawing, and printing scales the picture
// to the printer's resolution.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "mivo/plot3d/plot3d.h"
#include "support/hostile_files.h"
#include "support/image_compare.h"
#include "support/picture_files.h"

namespace mivo {
namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("plot3d_export_" + name)).string();
}

void Surface(TPlot3D& p) {
  p.SetSuppressPaint(true);
  p.SetBounds(0, 0, 240, 180);
  p.SetMagnification(0.4);
  p.GridMat.Resize(6, 5);
  for (std::int32_t c = 1; c <= 6; ++c)
    for (std::int32_t r = 1; r <= 5; ++r) p.GridMat.SetElem(c, r, 0.1 * c - 0.2 * r);
  p.SetSuppressPaint(false);
}

TEST(Plot3DExport, BitmapCopiesMatchThePaintedSurface) {
  TPlot3D p;
  Surface(p);
  TBitmap copy;
  p.CopyToBitmap(copy, true);
  EXPECT_TRUE(test::ImagesEqual(p.Surface(), copy, "plot3d_copy"));
  const std::string bmpFile = TempPath("copy.bmp");
  p.CopyToBMP(bmpFile, true);
  TBitmap loaded;
  loaded.LoadFromFile(bmpFile);
  EXPECT_TRUE(test::ImagesEqual(copy, loaded, "plot3d_bmp"));
  std::remove(bmpFile.c_str());
  p.CopyToClipboard(false);
  TBitmap clip;
  ASSERT_TRUE(Host().GetClipboardBitmap(clip));
  EXPECT_EQ(clip.Width(), 240);
  EXPECT_EQ(clip.Canvas().Pixel(0, 0), p.ColorBakGnd());  // no frame
}

TEST(Plot3DExport, VectorCopyHoldsTheDrawing) {
  TPlot3D p;
  Surface(p);
  p.SetCaptionX("Distance");
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

TEST(Plot3DExport, FailedVectorCopyKeepsTheOldFile) {
  TPlot3D p;
  Surface(p);
  // The picture is larger than the files this process may now write.
  EXPECT_TRUE(test::FailedWriteKeepsTheOldFile([&](const std::string& n) { p.CopyToWMF(n, true); },
                                               TempPath("kept.svg")));
}

// One SaveToFile by extension, as every component has; the vector copy takes
// .svg and .pdf (a PDF for a .pdf name) and refuses any other name.
TEST(Plot3DExport, FilesTakeTheFormatTheExtensionNames) {
  TPlot3D p;
  Surface(p);
  test::ExpectSavesByExtension([&](const std::string& n) { p.SaveToFile(n); }, TempPath("saved"), 240, 180,
                               "TPlot3D");
  test::ExpectVectorCopyByExtension([&](const std::string& n) { p.CopyToWMF(n, true); }, TempPath("copy"),
                                    "TPlot3D");
}

TEST(Plot3DExport, PrintScalesToThePrinter) {
  THeadlessHost* host = HeadlessHost();
  ASSERT_NE(host, nullptr);
  TPlot3D p;
  Surface(p);
  const std::string saved = host->PrintFilePattern();
  host->SetPrintFilePattern("");
  EXPECT_THROW(p.PrintIt(1, false, true), EMivoError);  // no printer
  const std::string pattern = TempPath("page_%d.png");
  host->SetPrintFilePattern(pattern);
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
  p.CopyToOpenPrinter(fx, fy, std::nan(""), false, true);  // a scale that is not a number counts as 1
  EXPECT_EQ(fx, 750);
  printer.EndDoc();
  for (std::size_t i = before; i < host->PrintedFiles().size(); ++i) std::remove(host->PrintedFiles()[i].c_str());
  host->SetPrintFilePattern(saved);
}

}  // namespace
}  // namespace mivo
