// The binary data file (byte layout, round trip, append, invalid files that
// leave the list untouched) and the text listing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_datafile.h"
#include "rchart_test_util.h"
#include "support/hostile_files.h"

namespace mivo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& name, const Bytes& b) {
  std::ofstream f(name, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

std::string ReadText(const std::string& name) {
  const Bytes b = ReadAll(name);
  return std::string(b.begin(), b.end());
}

// One item of every stored kind.
void AddEveryKind(TCustomRChart& c) {
  c.SetDataCol(0x123456);
  c.SetPenStyle(TPenStyle::psDashDot);
  c.SetLineWid(2);
  c.SetFillCol(0xFF00000F);
  c.SetDataTag(-9);
  c.SetClassDefault(200);
  c.SetTransparentItems(true);
  c.MarkAt(1, 2, 3);
  c.Line(-1, -2, 3.5, 4.25);
  c.DrawTo(5, 6);
  c.Rectangle(0, 0, 1, 1);
  c.RectFrame(0, 0, 2, 2, TFrameStyle::fsRaised, 0x808080, 0xFFFFFF);
  c.Bar3D(0, 0, 3, 3, 7, 30);
  c.Text(1, 1, 12, "Hello");
  c.SetActiveLayer(2);
  c.MoveTo(9, 9);
  c.Ellipse(0, 0, 2, 0.5);
  c.MoveToRelPix(-3, 4);
  c.DrawToRelPix(5, -6);
  c.Arrow(0, 0, 1, 1, 8);
  c.Text(2, 2, 10, "\xC3\xA9t\xC3\xA9", 4, -5, TAlignment::taLeftJustify);
  c.RectangleRelPix(3, 3, 10, 20);
  c.MarkErrorBar(1, 1, 0.1, 0.2, TOrientation::orHorizontal, 5);
  c.LineOffset(0, 0, 1, 1, 3, -3);
  c.Arc(0, 0, 1, 2, 0, std::numbers::pi / 2);
}

TEST(RChartDataFile, MarkRecordByteLayout) {
  TCustomRChart c;
  c.MarkAt(1, 2, 3);
  const std::string name = test::TempPath("mark.dat");
  ASSERT_TRUE(c.SaveData(name));
  const Bytes b = ReadAll(name);
  ASSERT_EQ(b.size(), 104u);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  EXPECT_EQ(Bytes(b.begin() + 8, b.begin() + 16), (Bytes{0, 0, 0, 0, 0, 0, 0, 0x40}));
  EXPECT_EQ(b[61], 1);
  EXPECT_EQ(Bytes(b.begin() + 64, b.begin() + 68), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(b[96], 3);
  EXPECT_EQ(Bytes(b.begin() + 56, b.begin() + 60), (Bytes{1, 0, 0, 0}));  // line width
  for (std::size_t pad : {49u, 50u, 51u, 62u, 63u, 86u, 87u, 97u, 103u}) EXPECT_EQ(b[pad], 0) << pad;
  std::filesystem::remove(name);
}

TEST(RChartDataFile, EveryKindRoundTrips) {
  TCustomRChart a;
  AddEveryKind(a);
  ASSERT_EQ(a.NumItems(), 17);
  const std::string name = test::TempPath("all.dat");
  ASSERT_TRUE(a.SaveData(name));
  EXPECT_EQ(std::filesystem::file_size(name), 17u * 104);
  test::TCountingChart b;
  b.SetSuppressPaint(false);
  b.Paints = 0;
  b.MarkAt(100, 100, 1);
  ASSERT_TRUE(b.LoadData(name, false));
  EXPECT_EQ(b.Paints, 1);
  ASSERT_EQ(b.NumItems(), 17);
  EXPECT_EQ(b.NumAllocated(), 17);
  for (std::int32_t i = 0; i < 17; ++i) EXPECT_TRUE(b.GetChartItem(i) == a.GetChartItem(i)) << i;
  for (std::size_t k = 0; k < kNumItemKinds; ++k)
    EXPECT_EQ(b.GetItemCount(TrcItem(k)), a.GetItemCount(TrcItem(k))) << k;
  // Appending: the file's records follow the existing items.
  TCustomRChart c;
  for (int i = 0; i < 5; ++i) c.MarkAt(i, i, 1);
  TCustomRChart three;
  three.Line(0, 0, 1, 1);
  three.DrawTo(2, 2);
  three.MarkAt(3, 3, 9);
  const std::string name3 = test::TempPath("three.dat");
  ASSERT_TRUE(three.SaveData(name3));
  ASSERT_TRUE(c.LoadData(name3, true));
  EXPECT_EQ(c.NumItems(), 8);
  EXPECT_EQ(c.NumAllocated(), 8);
  for (std::int32_t i = 0; i < 3; ++i) EXPECT_TRUE(c.GetChartItem(5 + i) == three.GetChartItem(i));
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 6);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkLine), 1);
  c.MarkAt(7, 7, 1);  // growth continues from the loaded size
  EXPECT_EQ(c.NumAllocated(), 1008);
  EXPECT_EQ(c.GetChartItem(0).x, 0);
  std::filesystem::remove(name);
  std::filesystem::remove(name3);
}

TEST(RChartDataFile, EmptyFileEmptiesTheChart) {
  TCustomRChart c;
  const std::string name = test::TempPath("empty.dat");
  ASSERT_TRUE(c.SaveData(name));
  EXPECT_EQ(std::filesystem::file_size(name), 0u);
  c.MarkAt(1, 1, 1);
  ASSERT_TRUE(c.LoadData(name, true));
  EXPECT_EQ(c.NumItems(), 1);
  ASSERT_TRUE(c.LoadData(name, false));
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocated(), 0);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 0);
  std::filesystem::remove(name);
}

TEST(RChartDataFile, InvalidFilesLeaveTheListUntouched) {
  TCustomRChart src;
  src.MarkAt(1, 2, 3);
  src.Text(0, 0, 8, "ok");
  Bytes good(208);
  EncodeChartItem(src.GetChartItem(0), good.data());
  EncodeChartItem(src.GetChartItem(1), good.data() + 104);
  struct Row {
    const char* What;
    std::function<void(Bytes&)> Spoil;
  };
  const std::vector<Row> rows = {
      {"truncated", [](Bytes& b) { b.resize(150); }},
      {"one byte too many", [](Bytes& b) { b.push_back(0); }},
      {"kind tkNone", [](Bytes& b) { b[104 + 61] = 0; }},
      {"kind tkEverything", [](Bytes& b) { b[104 + 61] = 10; }},
      {"kind tkNotMoveTo", [](Bytes& b) { b[61] = 11; }},
      {"kind beyond the last", [](Bytes& b) { b[104 + 61] = 20; }},
      {"kind 255", [](Bytes& b) { b[61] = 255; }},
      {"layer 0", [](Bytes& b) { b[104 + 64] = 0; }},
      {"layer 3", [](Bytes& b) { b[64] = 3; }},
      {"layer 257", [](Bytes& b) { b[104 + 65] = 1; }},
      {"negative layer", [](Bytes& b) { b[104 + 67] = 0xFF; }},
      {"text length 16", [](Bytes& b) { b[104 + 70] = 16; }},
      {"text length 255", [](Bytes& b) { b[70] = 255; }},
  };
  const std::string name = test::TempPath("bad.dat");
  for (const Row& r : rows) {
    for (bool append : {false, true}) {
      Bytes b = good;
      r.Spoil(b);
      WriteAll(name, b);
      test::TCountingChart c;
      c.SetSuppressPaint(false);
      c.SetAllocSize(2);
      for (int i = 0; i < 3; ++i) c.MarkAt(i, -i, 1);
      const std::int32_t allocated = c.NumAllocated();
      c.Paints = 0;
      EXPECT_FALSE(c.LoadData(name, append)) << r.What;
      EXPECT_EQ(c.Paints, 0) << r.What;
      ASSERT_EQ(c.NumItems(), 3) << r.What;
      EXPECT_EQ(c.NumAllocated(), allocated) << r.What;
      EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 3) << r.What;
      EXPECT_EQ(c.GetItemCount(TrcItem::tkText), 0) << r.What;
      for (int i = 0; i < 3; ++i) EXPECT_EQ(c.GetChartItem(i).y, -i) << r.What;
      // The slot after the items is clean for the next adder.
      c.Line(7, 7, 8, 8);
      EXPECT_EQ(c.GetChartItem(3).SizeOrAngle, 0) << r.What;
      EXPECT_EQ(c.GetChartItem(3).Text.Length, 0) << r.What;
    }
  }
  std::filesystem::remove(name);
  // A missing file, a folder and a device are not data files either.
  TCustomRChart c;
  c.MarkAt(1, 1, 1);
  EXPECT_FALSE(c.LoadData(test::TempPath("no_such_file.dat"), false));
  EXPECT_FALSE(c.LoadData(std::filesystem::temp_directory_path().string(), false));
  EXPECT_FALSE(c.LoadData("/dev/null", false));
  EXPECT_EQ(c.NumItems(), 1);
}

TEST(RChartDataFile, FailedSaveReportsFalseAndKeepsTheOldFile) {
  TCustomRChart c;
  c.MarkAt(1, 1, 1);
  EXPECT_FALSE(c.SaveData(test::TempPath("no_folder") + "/x.dat"));
  EXPECT_FALSE(c.SaveData(""));
  const std::string name = test::TempPath("keep.dat");
  ASSERT_TRUE(c.SaveData(name));
  // A folder in the way of the temporary file's rename: the save fails.
  const std::string dir = test::TempPath("a_folder");
  std::filesystem::create_directories(dir);
  EXPECT_FALSE(c.SaveData(dir));
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  EXPECT_EQ(std::filesystem::file_size(name), 104u);
  std::filesystem::remove(dir);
  std::filesystem::remove(name);
}

TEST(RChartDataFile, FifoWithoutWriterIsRefusedAtOnce) {
  test::TFifo fifo(test::TempPath("data.fifo"));
  ASSERT_TRUE(fifo.Made());
  TCustomRChart c;
  c.MarkAt(1, 1, 1);
  bool loaded = true;
  EXPECT_TRUE(fifo.ReturnsWithoutWriter([&] { loaded = c.LoadData(fifo.Path(), true); }));
  EXPECT_FALSE(loaded);
  EXPECT_EQ(c.NumItems(), 1);
}

// Whatever a caller tries to put into the list, what the list holds is what
// the data file can hold: the save always loads back whole.
TEST(RChartDataFile, ItemEditsTheFileCannotHoldAreRefused) {
  struct Row {
    const char* What;
    std::function<void(TrcChartItem&)> Spoil;
  };
  const std::vector<Row> rows = {
      {"layer 0", [](TrcChartItem& it) { it.Layer = 0; }},
      {"layer 7", [](TrcChartItem& it) { it.Layer = 7; }},
      {"layer INT32_MIN", [](TrcChartItem& it) { it.Layer = std::numeric_limits<std::int32_t>::min(); }},
      {"kind tkNone", [](TrcChartItem& it) { it.ItemKind = TrcItem::tkNone; }},
      {"kind tkEverything", [](TrcChartItem& it) { it.ItemKind = TrcItem::tkEverything; }},
      {"kind tkNotMoveTo", [](TrcChartItem& it) { it.ItemKind = TrcItem::tkNotMoveTo; }},
      {"kind 255", [](TrcChartItem& it) { it.ItemKind = TrcItem(255); }},
      {"text length 16", [](TrcChartItem& it) { it.Text.Length = 16; }},
  };
  const std::string name = test::TempPath("edited.dat");
  for (const Row& r : rows) {
    for (bool params : {true, false}) {
      TCustomRChart c;
      for (int i = 0; i < 1000; ++i) c.MarkAt(i, i, 1);
      TrcChartItem bad = c.GetChartItem(500);
      bad.x = -1;
      r.Spoil(bad);
      if (params)
        c.SetItemParams(500, bad);
      else
        c.SetChartitem(500, bad);
      EXPECT_EQ(c.GetChartItem(500).x, 500) << r.What;
      EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 1000) << r.What;
      ASSERT_TRUE(c.SaveData(name)) << r.What;
      TCustomRChart back;
      EXPECT_TRUE(back.LoadData(name, false)) << r.What;
      EXPECT_EQ(back.NumItems(), 1000) << r.What;
    }
  }
  // A storable edit still goes in, with the counts kept right.
  TCustomRChart c;
  c.MarkAt(0, 0, 1);
  TrcChartItem line = c.GetChartItem(0);
  line.ItemKind = TrcItem::tkLine;
  line.Layer = 2;
  c.SetItemParams(0, line);
  EXPECT_EQ(c.GetChartItem(0), line);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkLine), 1);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 0);
  std::filesystem::remove(name);
}

TEST(RChartDataFile, ListsOfManyBlocksRoundTripAndFailHalfWayCleanly) {
  // More records than one block of the writer, not a whole number of them.
  TCustomRChart c;
  for (int i = 0; i < 20001; ++i) {
    c.SetDataCol(TColor(i % 7));
    if (i % 3 == 0)
      c.MarkAt(i, -i, std::uint8_t(i % 52));
    else
      c.DrawTo(i * 0.5, i * 0.25);
  }
  const std::string dir = test::TempPath("blocks");
  std::filesystem::create_directories(dir);
  const std::string name = dir + "/many.dat";
  ASSERT_TRUE(c.SaveData(name));
  TCustomRChart back;
  ASSERT_TRUE(back.LoadData(name, false));
  ASSERT_EQ(back.NumItems(), c.NumItems());
  for (std::int32_t i = 0; i < c.NumItems(); i += 997) EXPECT_TRUE(back.GetChartItem(i) == c.GetChartItem(i)) << i;
  EXPECT_TRUE(back.GetChartItem(20000) == c.GetChartItem(20000));
  // A disk that fills during the second block: the old file stays, and no
  // temporary file is left beside it.
  TCustomRChart small;
  small.MarkAt(1, 1, 1);
  ASSERT_TRUE(small.SaveData(name));
  {
    const test::TFileSizeLimit limit(1 << 20);
    EXPECT_FALSE(c.SaveData(name));
  }
  EXPECT_EQ(std::filesystem::file_size(name), kRecordSize);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  std::filesystem::remove_all(dir);
}

TEST(RChartDataFile, SaveOnAFullDiskKeepsTheOldFile) {
  TCustomRChart c;
  for (int i = 0; i < 10; ++i) c.MarkAt(i, i, 1);
  const std::string name = test::TempPath("full_disk.dat");
  ASSERT_TRUE(c.SaveData(name));
  for (int i = 0; i < 1000; ++i) c.MarkAt(i, i, 1);
  {
    const test::TFileSizeLimit limit(4096);
    EXPECT_FALSE(c.SaveData(name));
  }
  EXPECT_EQ(std::filesystem::file_size(name), 10 * kRecordSize);
  TCustomRChart back;
  EXPECT_TRUE(back.LoadData(name, false));
  EXPECT_EQ(back.NumItems(), 10);
  std::filesystem::remove(name);
}

TEST(RChartListing, LinesOfEveryKind) {
  TCustomRChart c;
  AddEveryKind(c);
  const std::string name = test::TempPath("listing.txt");
  c.SaveDataASC(name);
  const std::string t = ReadText(name);
  const char* expected[] = {
      "\r\n------ item 0 ------\r\n elemtype: tkMarkAt\r\n startpnt: [1.0000/2.0000]\r\n    color: 00123456\r\n"
      " penstyle: 03\r\nlinewidth: 2\r\n classnum: 200\r\n marktype: 3\r\n",
      "------ item 1 ------\r\n elemtype: tkLine\r\n startpnt: [-1.0000/-2.0000]\r\n",
      " endpoint: [3.5000/4.2500]\r\n",
      " elemtype: tkLineTo\r\n startpnt: [5.0000/6.0000]\r\n    color: 00123456\r\n penstyle: 03\r\n"
      "linewidth: 2\r\n classnum: 200\r\n\r\n------ item 3",
      "   corner: [1.0000/1.0000]\r\nfillcolor: FF00000F\r\n  transp.: TRUE\r\n",
      " elemtype: tkRectFrame\r\n startpnt: [0.0000/0.0000]\r\n    color: 00123456\r\n penstyle: 03\r\n"
      "linewidth: 1\r\n classnum: 200\r\n   corner: [2.0000/2.0000]\r\nfillcolor: FF00000F\r\n"
      "frametype: rbRaised\r\nshadowcol: 00808080\r\nhilitecol: 00FFFFFF\r\n",
      " endpoint: [3.0000/3.0000]\r\nfillcolor: FF00000F\r\n    depth: 7\r\n    angle: 30\r\n",
      "     text: 'Hello'\r\n     size: 12\r\n    align: 2\r\n",
      " elemtype: tkMoveTo\r\n startpnt: [9.0000/9.0000]\r\n",
      " halfaxes: 2.0000 0.5000\r\nfillcolor: FF00000F\r\n  transp.: TRUE\r\n",
      " elemtype: tkMoveRelPix\r\n startpnt: [-3.0000/4.0000]\r\n",
      " elemtype: tkLineRelPix\r\n",
      "    arrow: [1.0000/1.0000]\r\nfillcolor: FF00000F\r\n  transp.: TRUE\r\n headsize: 8\r\n",
      "     text: '\xE9t\xE9'\r\n     size: 10\r\n    align: 0\r\n offset x: '4'\r\n offset y: '-5'\r\n",
      "    dx/dy: 10/20\r\nfillcolor: FF00000F\r\n  transp.: TRUE\r\n",
      "   errors: [0.1000/0.2000]\r\n marktype: 5\r\ndirection: 1\r\n",
      " endpoint: [1.0000/1.0000]\r\n   offset: [3/-3]\r\n",
      " halfaxes: 1.0000 2.0000\r\n   angles: 0.000000000 1.570796330\r\n",
  };
  for (const char* e : expected) EXPECT_NE(t.find(e), std::string::npos) << e;
  EXPECT_EQ(t.rfind("------ item 16 ------"), t.find("------ item 16 ------"));
  std::filesystem::remove(name);
}

TEST(RChartListing, SingleItemsAndFailures) {
  TrcChartItem mark;
  mark.ItemKind = TrcItem::tkMarkAt;
  mark.x = -1.25;
  mark.y = 3;
  mark.Color = 0x0000FF;
  mark.LWid = 1;
  mark.MarkOrAlign = 3;
  EXPECT_EQ(ListChartItem(mark, 4),
            "\r\n------ item 4 ------\r\n elemtype: tkMarkAt\r\n startpnt: [-1.2500/3.0000]\r\n"
            "    color: 000000FF\r\n penstyle: 00\r\nlinewidth: 1\r\n classnum: 0\r\n marktype: 3\r\n");
  // Kinds that never stand in a stored item get no kind line and no extra lines.
  TrcChartItem none;
  none.ItemKind = TrcItem::tkEverything;
  EXPECT_EQ(ListChartItem(none, 0).find("elemtype"), std::string::npos);
  // A frame style outside 2 ... 5 gets no frame line.
  TrcChartItem frame;
  frame.ItemKind = TrcItem::tkRectFrame;
  frame.FrameStyle = TFrameStyle::fsSimple;
  EXPECT_EQ(ListChartItem(frame, 0).find("frametype"), std::string::npos);
  TCustomRChart c;
  c.MarkAt(0, 0, 0);
  EXPECT_THROW(c.SaveDataASC(test::TempPath("no_folder") + "/x.txt"), EMivoError);
}

}  // namespace
}  // namespace mivo
