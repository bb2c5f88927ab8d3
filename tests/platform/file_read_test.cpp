// Readers never block on what they are given: a FIFO with no writer, a device
// or a folder is refused at once, with the reader's own message.
#include "mivo/platform/file_read.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"
#include "support/hostile_files.h"

namespace mivo {
namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("mivo_read_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

TEST(RegularFileReader, ReadsARegularFileAndRefusesEverythingElse) {
  const std::string name = TempPath("plain.bin");
  {
    std::ofstream out(name, std::ios::binary);
    out << "abcdef";
  }
  TRegularFileReader in(name);
  ASSERT_TRUE(in.IsOpen());
  EXPECT_EQ(in.Size(), 6u);
  char buf[6];
  EXPECT_TRUE(in.ReadExactly(buf, 4));
  EXPECT_FALSE(in.AtEnd());
  EXPECT_FALSE(in.ReadExactly(buf, 2));  // one byte was left
  std::filesystem::remove(name);

  test::TFifo fifo(TempPath("reader.fifo"));
  ASSERT_TRUE(fifo.Made());
  const std::vector<std::pair<std::string, std::string>> refused = {
      {fifo.Path(), "is not a regular file"},
      {"/dev/null", "is not a regular file"},
      {std::filesystem::temp_directory_path().string(), "is a directory"},
      {TempPath("missing"), "cannot be opened"},
  };
  for (const auto& [path, fault] : refused) {
    EXPECT_TRUE(fifo.ReturnsWithoutWriter([&] {
      TRegularFileReader r(path);
      EXPECT_FALSE(r.IsOpen()) << path;
      EXPECT_EQ(r.Fault(), fault) << path;
    })) << path;
  }
}

TEST(RegularFileReader, LoadersRefuseAFifoWithoutWaitingForAWriter) {
  test::TFifo fifo(TempPath("loader.fifo"));
  ASSERT_TRUE(fifo.Made());
  struct Row {
    const char* What;
    std::function<void()> Load;
    std::string Message;
  };
  TBitmap bmp;
  TCustomControl control;
  const std::vector<Row> rows = {
      {"bitmap", [&] { bmp.LoadFromFile(fifo.Path()); }, "bitmap file '" + fifo.Path() + "': is not a regular file"},
      {"PNG", [&] { bmp.LoadFromPNG(fifo.Path()); }, "PNG file '" + fifo.Path() + "': is not a regular file"},
      {"component file", [&] { ReadComponentFile(fifo.Path(), control); },
       "Form file '" + fifo.Path() + "': is not a regular file"},
      {"form file", [&] { (void)ReadFormFile(fifo.Path()); },
       "Form file '" + fifo.Path() + "': is not a regular file"},
  };
  for (const Row& r : rows) {
    std::string message;
    EXPECT_TRUE(fifo.ReturnsWithoutWriter([&] {
      try {
        r.Load();
      } catch (const EMivoError& e) {
        message = e.what();
      }
    })) << r.What;
    EXPECT_EQ(message, r.Message) << r.What;
  }
}

}  // namespace
}  // namespace mivo
