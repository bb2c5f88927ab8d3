#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

// The test image: 5 x 3 pixels of palette indices 0..3 (0..1 at one bit).
const int Indices[3][5] = {{0, 1, 2, 3, 1}, {3, 2, 1, 0, 0}, {1, 1, 3, 2, 0}};
const TColor Palette[4] = {RGB(10, 20, 30), RGB(200, 100, 50), RGB(0, 255, 7), RGB(255, 255, 255)};

TColor Expected(int bits, int x, int y) {
  const int i = Indices[y][x];
  return Palette[bits == 1 ? i & 1 : i];
}

struct BmpLayout {
  int Bits = 24;
  bool TopDown = false;
  std::uint32_t HeaderSize = 40;
  std::uint32_t Compression = 0;  // 3: bit fields
  std::vector<std::uint32_t> Masks;  // R, G, B
};

// Encodes the test image independently of the reader.
Bytes Encode(const BmpLayout& s) {
  const int w = 5, h = 3;
  const bool core = s.HeaderSize == 12;
  const int paletteCount = s.Bits <= 8 ? (1 << s.Bits) : 0;
  const int entry = core ? 3 : 4;
  const std::size_t masksInline = (s.HeaderSize == 40 && s.Compression == 3) ? 12 : 0;
  const std::size_t offBits = 14 + s.HeaderSize + masksInline + std::size_t(paletteCount) * entry;
  const std::size_t stride = (std::size_t(w) * s.Bits + 31) / 32 * 4;
  Bytes b(offBits + stride * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, std::uint32_t(b.size()));
  Put32(b, 10, std::uint32_t(offBits));
  Put32(b, 14, s.HeaderSize);
  if (core) {
    Put16(b, 18, w);
    Put16(b, 20, h);
    Put16(b, 22, 1);
    Put16(b, 24, s.Bits);
  } else {
    Put32(b, 18, w);
    Put32(b, 22, std::uint32_t(s.TopDown ? -h : h));
    Put16(b, 26, 1);
    Put16(b, 28, s.Bits);
    Put32(b, 30, s.Compression);
    for (std::size_t i = 0; i < s.Masks.size(); ++i) Put32(b, 14 + 40 + 4 * i, s.Masks[i]);
  }
  const std::size_t palStart = 14 + s.HeaderSize + masksInline;
  for (int i = 0; i < paletteCount; ++i) {
    const TColor c = i < 4 ? Palette[i] : RGB(1, 2, 3);
    b[palStart + entry * i] = GetBValue(c);
    b[palStart + entry * i + 1] = GetGValue(c);
    b[palStart + entry * i + 2] = GetRValue(c);
  }
  for (int y = 0; y < h; ++y) {
    const std::size_t row = offBits + stride * std::size_t(s.TopDown ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const TColor c = Expected(s.Bits, x, y);
      const std::uint32_t r = GetRValue(c), g = GetGValue(c), bl = GetBValue(c);
      switch (s.Bits) {
        case 1: case 4: case 8: {
          const int perByte = 8 / s.Bits;
          const int index = s.Bits == 1 ? Indices[y][x] & 1 : Indices[y][x];
          b[row + x / perByte] |= std::uint8_t(index << (8 - s.Bits * (x % perByte + 1)));
          break;
        }
        case 16:  // 5-6-5
          Put16(b, row + 2 * x, ((r >> 3) << 11) | ((g >> 2) << 5) | (bl >> 3));
          break;
        case 24:
          b[row + 3 * x] = std::uint8_t(bl);
          b[row + 3 * x + 1] = std::uint8_t(g);
          b[row + 3 * x + 2] = std::uint8_t(r);
          break;
        case 32:
          if (s.Compression == 3)  // masks R=0xFF, G=0xFF00, B=0xFF0000
            Put32(b, row + 4 * x, r | (g << 8) | (bl << 16) | 0xFF000000u);
          else
            Put32(b, row + 4 * x, bl | (g << 8) | (r << 16) | 0x80000000u);
          break;
      }
    }
  }
  return b;
}

void ExpectImage(const TBitmap& bmp, int bits) {
  ASSERT_EQ(bmp.Width(), 5);
  ASSERT_EQ(bmp.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      TColor want = Expected(bits, x, y);
      if (bits == 16) {  // 5-6-5 loses low bits; the reader scales back to 0..255
        const auto q = [](unsigned v, unsigned n) { return (v >> (8 - n)) * 255u / ((1u << n) - 1u); };
        want = RGB(q(GetRValue(want), 5), q(GetGValue(want), 6), q(GetBValue(want), 5));
      }
      EXPECT_EQ(FromRGB32(bmp.ScanLine(y)[x]), want) << bits << " bits at " << x << "," << y;
      EXPECT_EQ(bmp.ScanLine(y)[x].A, 0);
    }
}

TEST(BmpRead, DecodesEveryLayout) {
  const std::vector<std::uint32_t> rgbMasks = {0xFF, 0xFF00, 0xFF0000};
  const std::vector<std::uint32_t> masks565 = {0xF800, 0x07E0, 0x001F};
  const BmpLayout layouts[] = {
      {1, false, 40, 0, {}},  {1, true, 40, 0, {}},   {4, false, 40, 0, {}},  {4, true, 40, 0, {}},
      {8, false, 40, 0, {}},  {8, true, 40, 0, {}},   {24, false, 40, 0, {}}, {24, true, 40, 0, {}},
      {32, false, 40, 0, {}}, {32, true, 40, 0, {}},  {4, false, 12, 0, {}},  {8, false, 12, 0, {}},
      {24, false, 12, 0, {}}, {24, true, 124, 0, {}}, {24, false, 108, 0, {}},
      {32, false, 40, 3, rgbMasks}, {32, true, 108, 3, rgbMasks}, {32, false, 124, 3, rgbMasks},
      {16, false, 40, 3, masks565}, {16, true, 56, 3, masks565},
  };
  for (const BmpLayout& s : layouts) {
    SCOPED_TRACE("bits " + std::to_string(s.Bits) + " header " + std::to_string(s.HeaderSize) +
                 (s.TopDown ? " top-down" : " bottom-up"));
    const Bytes file = Encode(s);
    TBitmap bmp;
    bmp.LoadFromMemory(file.data(), file.size(), "t.bmp");
    ExpectImage(bmp, s.Bits);
  }
}

TBitmap RandomBitmap(std::int32_t w, std::int32_t h, unsigned seed) {
  TBitmap bmp(w, h);
  std::mt19937 rng(seed);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) bmp.ScanLine(y)[x] = ToRGB32(rng() & 0xFFFFFF);
  return bmp;
}

// A file in the temporary folder, removed when the test is done with it.
struct TempFile {
  std::filesystem::path Path;
  explicit TempFile(const std::string& name)
      : Path(std::filesystem::temp_directory_path() / ("mivo_media_test_" + std::to_string(::getpid()) + "_" + name)) {}
  ~TempFile() {
    std::error_code ec;
    std::filesystem::remove(Path, ec);
  }
  std::string String() const { return Path.string(); }
};

TEST(BmpWrite, RoundTripsExactly) {
  for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {4, 4}, {7, 5}, {130, 3}}) {
    const TBitmap src = RandomBitmap(w, h, unsigned(w * 31 + h));
    const Bytes file = src.SaveToBMPMemory();
    ASSERT_EQ(file.size(), 54 + std::size_t((w * 3 + 3) / 4 * 4) * h);
    EXPECT_EQ(file[28], 24);  // bits per pixel
    TBitmap back;
    back.LoadFromMemory(file.data(), file.size());
    EXPECT_TRUE(test::ImagesEqual(src, back, test::TChannels::RGBA)) << w << " x " << h;
  }
  // Through a file, too.
  const TBitmap src = RandomBitmap(9, 4, 7);
  const TempFile file("round.bmp");
  const std::string path = file.String();
  src.SaveToFile(path);
  TBitmap back(2, 2);
  back.LoadFromFile(path);
  EXPECT_TRUE(test::ImagesEqual(src, back, test::TChannels::RGBA));
  // A 32-bit file written by someone else reads back to the same pixels.
  const Bytes file32 = Encode({32, true, 40, 0, {}});
  back.LoadFromMemory(file32.data(), file32.size());
  ExpectImage(back, 32);
}

TEST(BmpWrite, EmptyBitmapIsRefused) {
  TBitmap empty;
  EXPECT_THROW(empty.SaveToBMPMemory(), EMivoError);
  const TempFile file("empty.png");
  EXPECT_THROW(empty.SaveToPNG(file.String()), EMivoError);
  EXPECT_FALSE(std::filesystem::exists(file.Path));
}

std::string LoadError(const Bytes& file, TBitmap& bmp) {
  try {
    bmp.LoadFromMemory(file.data(), file.size(), "x.bmp");
  } catch (const EMivoError& e) {
    return e.what();
  }
  return "(loaded)";
}

TEST(BmpRead, RejectsMalformedFilesAndLeavesTheBitmapAlone) {
  const Bytes base8 = Encode({8, false, 40, 0, {}});
  const Bytes base32 = Encode({32, false, 40, 3, {0xFF, 0xFF00, 0xFF0000}});
  struct Case {
    const char* Name;
    const Bytes* Base;
    std::function<void(Bytes&)> Mutate;
    std::string Message;
  };
  const std::size_t pix8 = 14 + 40 + 256 * 4;
  const Case cases[] = {
      {"signature", &base8, [](Bytes& b) { b[0] = 'X'; }, "not a BMP file (no 'BM' signature)"},
      {"tiny", &base8, [](Bytes& b) { b.resize(10); }, "truncated file header (needs 18 bytes, file has 10)"},
      {"empty", &base8, [](Bytes& b) { b.clear(); }, "truncated file header (needs 18 bytes, file has 0)"},
      {"short non-BMP", &base8, [](Bytes& b) { b = {'G', 'I', 'F'}; }, "not a BMP file (no 'BM' signature)"},
      {"header cut", &base8, [](Bytes& b) { b.resize(30); }, "truncated bitmap header (needs 54 bytes, file has 30)"},
      {"header size", &base8, [](Bytes& b) { Put32(b, 14, 20); }, "unsupported header size 20"},
      {"zero width", &base8, [](Bytes& b) { Put32(b, 18, 0); }, "invalid size 0 x 3"},
      {"negative width", &base8, [](Bytes& b) { Put32(b, 18, std::uint32_t(-5)); }, "invalid size -5 x 3"},
      {"zero height", &base8, [](Bytes& b) { Put32(b, 22, 0); }, "invalid size 5 x 0"},
      {"huge width", &base8, [](Bytes& b) { Put32(b, 18, 40000); },
       "size 40000 x 3 exceeds the largest supported side of 32768 pixels"},
      {"INT_MIN height", &base8, [](Bytes& b) { Put32(b, 22, 0x80000000u); },
       "size 5 x 2147483648 exceeds the largest supported side of 32768 pixels"},
      {"planes", &base8, [](Bytes& b) { Put16(b, 26, 2); }, "invalid number of planes 2"},
      {"bit depth", &base8, [](Bytes& b) { Put16(b, 28, 7); }, "unsupported bit depth 7"},
      {"rle", &base8, [](Bytes& b) { Put32(b, 30, 1); }, "compression 1 (RLE8) is not supported"},
      {"jpeg", &base8, [](Bytes& b) { Put32(b, 30, 4); }, "compression 4 (JPEG) is not supported"},
      {"bitfields at 8 bits", &base8, [](Bytes& b) { Put32(b, 30, 3); },
       "compression BI_BITFIELDS is not supported with 8 bits per pixel"},
      {"palette too large", &base8, [](Bytes& b) { Put32(b, 46, 300); },
       "palette of 300 colours is too large for 8 bits per pixel"},
      {"palette index", &base8, [](Bytes& b) { Put32(b, 46, 3); },
       "palette index 3 out of range (palette has 3 colours)"},
      {"palette cut", &base8, [](Bytes& b) { b.resize(200); },
       "truncated palette (needs 1078 bytes, file has 200)"},
      {"offset beyond end", &base8, [](Bytes& b) { Put32(b, 10, 5000); },
       "bad pixel data offset 5000 (file has 1102 bytes)"},
      {"offset inside header", &base8, [](Bytes& b) { Put32(b, 10, 20); },
       "bad pixel data offset 20 (file has 1102 bytes)"},
      {"offset inside the masks", &base32, [](Bytes& b) { Put32(b, 10, 60); },
       "bad pixel data offset 60 (file has 126 bytes)"},
      {"offset cuts the palette", &base8, [](Bytes& b) { Put32(b, 10, 54 + 3 * 4); },
       "palette index 255 out of range (palette has 3 colours)"},
      {"pixels cut", &base8, [&](Bytes& b) { b.resize(pix8 + 9); },
       "truncated pixel data (needs 21 bytes, has 9)"},
      {"huge image, small file", &base8, [](Bytes& b) { Put32(b, 18, 32768); Put32(b, 22, 32768); },
       "truncated pixel data (needs 1073741824 bytes, has 24)"},
      {"zero mask", &base32, [](Bytes& b) { Put32(b, 54, 0); }, "invalid colour masks"},
      {"gappy mask", &base32, [](Bytes& b) { Put32(b, 58, 0x0F0F); }, "invalid colour masks"},
  };
  const TBitmap original = RandomBitmap(3, 3, 99);
  for (const Case& c : cases) {
    Bytes file = *c.Base;
    c.Mutate(file);
    TBitmap bmp = original;
    EXPECT_EQ(LoadError(file, bmp), "bitmap file 'x.bmp': " + c.Message) << c.Name;
    EXPECT_TRUE(test::ImagesEqual(bmp, original, test::TChannels::RGBA)) << c.Name;
  }
  TBitmap bmp = original;
  EXPECT_THROW(bmp.LoadFromMemory(nullptr, 100), EMivoError);
  // A short colour table that the pixel offset ends early is read as far as it goes.
  Bytes shortTable = Encode({4, false, 40, 0, {}});
  const std::size_t pixelBytes = shortTable.size() - (54 + 16 * 4);
  shortTable.erase(shortTable.begin() + 54 + 4 * 4, shortTable.begin() + 54 + 16 * 4);
  Put32(shortTable, 10, 54 + 4 * 4);
  ASSERT_EQ(shortTable.size(), 54 + 16 + pixelBytes);
  bmp.LoadFromMemory(shortTable.data(), shortTable.size());
  ExpectImage(bmp, 4);
  bmp = original;
  try {
    bmp.LoadFromFile("/nonexistent/dir/none.bmp");
    ADD_FAILURE() << "loaded a missing file";
  } catch (const EMivoError& e) {
    EXPECT_STREQ(e.what(), "bitmap file '/nonexistent/dir/none.bmp': cannot be opened");
  }
  try {
    bmp.LoadFromFile(std::filesystem::temp_directory_path().string());
    ADD_FAILURE() << "loaded a directory";
  } catch (const EMivoError& e) {
    EXPECT_NE(std::string(e.what()).find("': is a directory"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(test::ImagesEqual(bmp, original, test::TChannels::RGBA));
}

// Random bytes, truncations and byte mutations of valid files either load or
// raise EMivoError leaving the bitmap as it was.
TEST(BmpRead, SurvivesGarbage) {
  std::vector<Bytes> seeds;
  for (const BmpLayout& s : {BmpLayout{1, false, 40, 0, {}}, BmpLayout{4, true, 12, 0, {}}, BmpLayout{8, false, 40, 0, {}},
                        BmpLayout{24, true, 124, 0, {}}, BmpLayout{32, false, 40, 3, {0xFF, 0xFF00, 0xFF0000}},
                        BmpLayout{16, false, 40, 3, {0xF800, 0x07E0, 0x001F}}})
    seeds.push_back(Encode(s));
  std::mt19937 rng(12345);
  const TBitmap original = RandomBitmap(2, 3, 5);
  int loaded = 0, rejected = 0;
  for (int iter = 0; iter < 4000; ++iter) {
    Bytes file = seeds[rng() % seeds.size()];
    switch (rng() % 4) {
      case 0:
        file.resize(rng() % (file.size() + 1));
        break;
      case 1:
        for (int k = 0, n = 1 + int(rng() % 6); k < n; ++k) file[rng() % file.size()] = std::uint8_t(rng());
        break;
      case 2:  // header fields only
        for (int k = 0, n = 1 + int(rng() % 3); k < n; ++k) file[rng() % 70] = std::uint8_t(rng());
        break;
      default:
        file.resize(rng() % 200);
        for (auto& byte : file) byte = std::uint8_t(rng());
        if (file.size() >= 2 && rng() % 2) file[0] = 'B', file[1] = 'M';
        break;
    }
    TBitmap bmp = original;
    try {
      bmp.LoadFromMemory(file.data(), file.size(), "g.bmp");
      ++loaded;
      EXPECT_GT(bmp.Width(), 0);
      EXPECT_GT(bmp.Height(), 0);
    } catch (const EMivoError& e) {
      ++rejected;
      ASSERT_EQ(std::string(e.what()).rfind("bitmap file 'g.bmp': ", 0), 0u) << e.what();
      ASSERT_TRUE(test::ImagesEqual(bmp, original, test::TChannels::RGBA));
    }
  }
  EXPECT_GT(loaded, 100);
  EXPECT_GT(rejected, 100);
}

TEST(PngWrite, WritesReadableRgb) {
  const TBitmap src = RandomBitmap(17, 6, 3);
  const TempFile file("out.png");
  const std::string path = file.String();
  src.SaveToPNG(path);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  EXPECT_EQ(image.width, 17u);
  EXPECT_EQ(image.height, 6u);
  EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 17; ++x) {
      const std::uint8_t* p = &rgb[(y * 17 + x) * 3];
      ASSERT_EQ(FromRGB32(src.ScanLine(y)[x]), RGB(p[0], p[1], p[2])) << x << "," << y;
    }
  try {
    src.SaveToPNG("/nonexistent/dir/out.png");
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const EMivoError& e) {
    EXPECT_STREQ(e.what(), "PNG file '/nonexistent/dir/out.png': cannot be created");
  }
}

TEST(PngRead, RoundTripsLaysAlphaOverWhiteAndRefusesBadFiles) {
  const TBitmap src = RandomBitmap(23, 9, 5);
  const TempFile file("in.png");
  const std::string path = file.String();
  src.SaveToPNG(path);
  TBitmap back;
  back.LoadFromPNG(path);
  EXPECT_TRUE(test::ImagesEqual(src, back, test::TChannels::RGBA));

  // Gray with alpha: opaque black, transparent, half-covered black.
  const std::uint8_t ga[] = {0, 255, 0, 0, 0, 128};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 1;
  image.format = PNG_FORMAT_GA;
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, ga, 0, nullptr));
  back.LoadFromPNG(path);
  ASSERT_EQ(back.Width(), 3);
  EXPECT_EQ(FromRGB32(back.ScanLine(0)[0]), 0x000000u);
  EXPECT_EQ(FromRGB32(back.ScanLine(0)[1]), 0xFFFFFFu);
  EXPECT_NEAR(int(back.ScanLine(0)[2].G), 127, 2);

  // Truncated, garbage and missing files raise naming the file and leave the
  // bitmap as it was.
  src.SaveToPNG(path);
  std::ifstream in(path, std::ios::binary);
  const Bytes whole{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  const TBitmap kept = RandomBitmap(4, 4, 9);
  for (const Bytes& bytes : {Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2)),
                             Bytes(whole.begin(), whole.begin() + 30), Bytes{'n', 'o', 't'}, Bytes{}}) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    TBitmap bmp = kept;
    try {
      bmp.LoadFromPNG(path);
      ADD_FAILURE() << "read " << bytes.size() << " bytes";
    } catch (const EMivoError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("PNG file '" + path + "': ", 0), 0u) << e.what();
    }
    EXPECT_TRUE(test::ImagesEqual(bmp, kept, test::TChannels::RGBA)) << bytes.size();
  }
  TBitmap bmp = kept;
  EXPECT_THROW(bmp.LoadFromPNG("/nonexistent/dir/in.png"), EMivoError);
  EXPECT_TRUE(test::ImagesEqual(bmp, kept, test::TChannels::RGBA));
}

}  // namespace
}  // namespace mivo
