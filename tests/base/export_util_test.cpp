// The print helpers the components share: odd print scales, a drawing that
// fails inside its print job, pictures that run past the 32-bit page.
#include "mivo/base/export_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "mivo/platform/errors.h"

namespace mivo {
namespace {

TEST(ExportUtil, PrintScalesJobsAndPositionsSurviveOddInput) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (const double odd : {std::nan(""), inf, -inf}) EXPECT_EQ(ClampPrintScale(odd), 1.0) << odd;
  EXPECT_EQ(ClampPrintScale(0), 0.01);
  EXPECT_EQ(ClampPrintScale(-3), 0.01);
  EXPECT_EQ(ClampPrintScale(1e300), 100.0);
  EXPECT_EQ(ClampPrintScale(2.5), 2.5);

  SetHost(nullptr);
  THeadlessHost* host = HeadlessHost();
  ASSERT_NE(host, nullptr);
  host->SetPrintFilePattern((std::filesystem::temp_directory_path() / "mivo_export_util_page.png").string());
  TPrinter& printer = host->Printer();
  printer.SetPixelsPerInch(192);
  EXPECT_DOUBLE_EQ(PrinterPixelScale(printer, 1.5), 3.0);
  EXPECT_DOUBLE_EQ(PrinterPixelScale(printer, std::nan("")), 2.0);

  // A drawing that raises aborts its job and the error reaches the caller;
  // the next job runs.
  EXPECT_THROW(PrintAsJob(printer, [](std::int32_t&, std::int32_t&) { throw std::runtime_error("draw failed"); }),
               std::runtime_error);
  EXPECT_FALSE(printer.Printing());
  EXPECT_TRUE(printer.Aborted());
  bool drawn = false;
  PrintAsJob(printer, [&](std::int32_t& x, std::int32_t& y) {
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    drawn = true;
  });
  EXPECT_TRUE(drawn);
  EXPECT_FALSE(printer.Printing());

  // The position moves past the stretched picture and stays in 32 bits.
  TBitmap bmp(10, 4);
  printer.BeginDoc();
  std::int32_t x = 5, y = 7;
  StretchOntoPrinter(printer, bmp, 2.5, x, y);
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 17);
  x = std::numeric_limits<std::int32_t>::max() - 3;
  y = std::numeric_limits<std::int32_t>::min();
  StretchOntoPrinter(printer, bmp, 100, x, y);
  EXPECT_EQ(x, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(y, std::numeric_limits<std::int32_t>::min() + 400);
  printer.Abort();
  for (const std::string& f : host->PrintedFiles()) std::remove(f.c_str());
  SetHost(nullptr);
}

}  // namespace
}  // namespace mivo
