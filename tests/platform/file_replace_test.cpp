#include "mivo/platform/file_replace.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"

namespace mivo {
namespace {

namespace fs = std::filesystem;

// A fresh folder of the test's own, removed afterwards.
struct TempDir {
  fs::path Path;
  explicit TempDir(const std::string& name)
      : Path(fs::temp_directory_path() / ("mivo_replace_" + std::to_string(::getpid()) + "_" + name)) {
    fs::remove_all(Path);
    fs::create_directories(Path);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(Path, ec);
  }
  std::string File(const std::string& name) const { return (Path / name).string(); }
  std::size_t Entries() const { return std::size_t(std::distance(fs::directory_iterator(Path), {})); }
};

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EMivoError& e) {
    return e.what();
  }
  return "";
}

TEST(FileReplace, WritesReplacesAndLeavesNoTemporaryFile) {
  const TempDir dir("basic");
  const std::string name = dir.File("a.bin");
  const std::uint8_t first[] = {1, 2, 3};
  WriteFileReplacing(name, first, 3, "data file");
  EXPECT_EQ(ReadAll(name), std::string("\x01\x02\x03"));
  const std::uint8_t second[] = {9};
  WriteFileReplacing(name, second, 1, "data file");
  EXPECT_EQ(ReadAll(name), std::string("\x09"));
  WriteFileReplacing(name, nullptr, 0, "data file");
  EXPECT_EQ(fs::file_size(name), 0u);
  EXPECT_EQ(dir.Entries(), 1u);
}

TEST(FileReplace, FailuresNameTheFileAndKeepThePreviousOne) {
  const TempDir dir("fail");
  const std::uint8_t b[] = {7};
  EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(dir.File("none/x.bin"), b, 1, "data file"); }),
            "data file '" + dir.File("none/x.bin") + "': cannot be created");
  EXPECT_EQ(ErrorOf([&] { WriteFileReplacing(dir.Path.string(), b, 1, "data file"); }),
            "data file '" + dir.Path.string() + "': is a directory");
  EXPECT_EQ(ErrorOf([&] { WriteFileReplacing("", b, 1, "data file"); }), "data file '': no file name given");
  EXPECT_EQ(dir.Entries(), 0u);
}

// The bitmap and form writers all go through it: a save that fails (here
// because the name is taken by a folder, or the bitmap is empty) leaves the
// earlier file whole.
TEST(FileReplace, FailedSavesKeepEarlierFiles) {
  const TempDir dir("savers");
  TBitmap bmp(4, 3);
  bmp.Clear(clRed);
  const std::string png = dir.File("keep.png");
  bmp.SaveToFile(png);
  const std::string before = ReadAll(png);
  TBitmap empty;
  EXPECT_THROW(empty.SaveToFile(png), EMivoError);
  EXPECT_EQ(ReadAll(png), before);

  const std::string form = dir.File("keep.json");
  TCustomControl control;
  control.SetVisible(false);
  WriteComponentFile(form, control);
  const std::string formBefore = ReadAll(form);
  fs::create_directories(dir.File("folder.json"));
  EXPECT_THROW(WriteComponentFile(dir.File("folder.json"), control), EMivoError);
  EXPECT_EQ(ReadAll(form), formBefore);
  EXPECT_EQ(dir.Entries(), 3u);  // no temporary file left behind
}

TEST(BitmapSaveToFile, TheExtensionPicksTheFormat) {
  const TempDir dir("ext");
  TBitmap bmp(5, 2);
  bmp.Clear(clBlue);
  bmp.SaveToFile(dir.File("a.png"));
  bmp.SaveToFile(dir.File("b.PNG"));
  bmp.SaveToFile(dir.File("c.bmp"));
  bmp.SaveToFile(dir.File("d.Bmp"));
  EXPECT_EQ(ReadAll(dir.File("a.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(ReadAll(dir.File("b.PNG")).substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(ReadAll(dir.File("c.bmp")).substr(0, 2), "BM");
  EXPECT_EQ(ReadAll(dir.File("d.Bmp")).substr(0, 2), "BM");
  TBitmap back;
  back.LoadFromFile(dir.File("d.Bmp"));
  EXPECT_EQ(back.Width(), 5);

  EXPECT_EQ(ErrorOf([&] { bmp.SaveToFile(dir.File("e.jpg")); }),
            "bitmap file '" + dir.File("e.jpg") + "': unsupported file type '.jpg'; the supported ones are .bmp and .png");
  EXPECT_EQ(ErrorOf([&] { bmp.SaveToFile(dir.File("noext")); }),
            "bitmap file '" + dir.File("noext") +
                "': unsupported file type (no extension); the supported ones are .bmp and .png");
  EXPECT_EQ(dir.Entries(), 4u);
}

TEST(Colors, RgbHelpersUseTheLowByteForRed) {
  EXPECT_EQ(RGBToColor(255, 0, 0), 0x0000FFu);
  EXPECT_EQ(RGBToColor(1, 2, 3), 0x030201u);
  EXPECT_EQ(ColorToRGBA(RGBToColor(10, 20, 30)), (TRGB32{30, 20, 10, 255}));  // B, G, R, A
  // System colours resolve through the active table.
  const TRGB32 face = ColorToRGBA(clBtnFace);
  EXPECT_EQ(RGBToColor(face.R, face.G, face.B), ColorToRGB(clBtnFace));
}

}  // namespace
}  // namespace mivo
