#include "mivo/platform/host.h"

#include <gtest/gtest.h>
#include <png.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <utility>
#include <filesystem>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {
namespace {

namespace fs = std::filesystem;

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FOld = SetHost(nullptr);
    H().Quiet = true;
  }
  void TearDown() override { SetHost(std::move(FOld)); }
  THeadlessHost& H() { return *HeadlessHost(); }
  std::unique_ptr<THost> FOld;
};

fs::path OutputDir(const std::string& name) {
  const char* env = std::getenv("MIVO_TEST_OUTPUT");
  fs::path dir = fs::path(env ? env : fs::temp_directory_path().string()) / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TMessage Msg(TMessageKind k, std::int32_t x = 0, std::int32_t y = 0, TMouseButton b = TMouseButton::mbLeft) {
  TMessage m;
  m.Kind = k;
  m.X = x;
  m.Y = y;
  m.Button = b;
  return m;
}

// A stand-in for the chart's blocking mouse box: waits in a message loop for a
// press and release, the right button aborting.
class TBoxControl : public TCustomControl {
 public:
  enum class TState { Idle, Waiting, Dragging, Done } State = TState::Idle;
  TPoint P1, P2;
  bool RunBox() {
    State = TState::Waiting;
    while (State != TState::Done && State != TState::Idle && !Host().Terminated()) Host().ProcessMessages();
    const bool ok = State == TState::Done;
    State = TState::Idle;
    return ok;
  }
  std::int32_t Paints = 0;
  bool BoxOnDoubleClick = false;
  bool NestedResult = false;

 protected:
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override {
    if (s.Contains(TShiftStateItem::ssDouble) && BoxOnDoubleClick) {
      NestedResult = RunBox();  // nested loop inside a dispatched message
      return;
    }
    if (State == TState::Waiting) {
      if (b == TMouseButton::mbRight) {
        State = TState::Idle;
      } else {
        P1 = {x, y};
        State = TState::Dragging;
      }
    }
  }
  void MouseUp(TMouseButton b, TShiftState, std::int32_t x, std::int32_t y) override {
    if (State != TState::Dragging) return;
    if (b == TMouseButton::mbRight) {
      State = TState::Idle;
    } else {
      P2 = {x, y};
      State = TState::Done;
    }
  }
  void Paint() override { ++Paints; }
};

TEST_F(HostTest, SetHostReturnsThePreviousOne) {
  THost* current = &Host();
  std::unique_ptr<THost> prev = SetHost(std::make_unique<THeadlessHost>());
  EXPECT_EQ(prev.get(), current);
  EXPECT_NE(&Host(), current);
  SetHost(std::move(prev));
  EXPECT_EQ(&Host(), current);
}

TEST_F(HostTest, NestedLoopDrivenByTheQueue) {
  TBoxControl c;
  c.SetBounds(0, 0, 100, 100);
  H().PostMessage(c, Msg(TMessageKind::mkMouseMove, 5, 5));
  H().PostMessage(c, Msg(TMessageKind::mkMouseDown, 10, 20));
  H().PostMessage(c, Msg(TMessageKind::mkMouseMove, 30, 30));
  c.Invalidate();  // paints are processed while waiting
  H().PostMessage(c, Msg(TMessageKind::mkMouseUp, 40, 50));
  ASSERT_TRUE(c.RunBox());
  EXPECT_EQ(c.P1, (TPoint{10, 20}));
  EXPECT_EQ(c.P2, (TPoint{40, 50}));
  EXPECT_EQ(c.Paints, 1);
  EXPECT_EQ(H().PendingMessages(), 0u);

  H().PostMessage(c, Msg(TMessageKind::mkMouseDown, 1, 1, TMouseButton::mbRight));
  EXPECT_FALSE(c.RunBox());
}

TEST_F(HostTest, NestedLoopInsideADispatchedMessage) {
  TBoxControl c;
  c.SetBounds(0, 0, 100, 100);
  c.BoxOnDoubleClick = true;
  H().PostMessage(c, Msg(TMessageKind::mkDoubleClick, 1, 1));
  H().PostMessage(c, Msg(TMessageKind::mkMouseDown, 2, 3));
  H().PostMessage(c, Msg(TMessageKind::mkMouseUp, 4, 5));
  H().ProcessMessages();  // the double click runs the inner loop, which consumes the rest
  EXPECT_TRUE(c.NestedResult);
  EXPECT_EQ(c.P2, (TPoint{4, 5}));
  EXPECT_EQ(H().PendingMessages(), 0u);
}

TEST_F(HostTest, LoopWithoutInputEndsThroughTerminated) {
  TBoxControl c;
  H().IdleLimit = 50;
  int idles = 0;
  H().OnIdle = [&] { ++idles; };
  EXPECT_FALSE(c.RunBox());
  EXPECT_EQ(idles, 50);
  EXPECT_TRUE(H().Terminated());
  H().PostMessage(c, Msg(TMessageKind::mkMouseMove));
  EXPECT_FALSE(H().Terminated());

  // The idle hook can feed the loop.
  H().ProcessMessages();
  H().OnIdle = [&] {
    if (c.State == TBoxControl::TState::Waiting) H().PostMessage(c, Msg(TMessageKind::mkMouseDown, 7, 7));
    if (c.State == TBoxControl::TState::Dragging) H().PostMessage(c, Msg(TMessageKind::mkMouseUp, 9, 9));
  };
  EXPECT_TRUE(c.RunBox());
  EXPECT_EQ(c.P2, (TPoint{9, 9}));
}

// A control that asks for another paint from inside its paint keeps every
// call busy; an idle hook that invalidates does the same. Loops still end.
TEST_F(HostTest, LoopKeptBusyByPaintsStillEnds) {
  struct TSelfInvalidating : TBoxControl {
    void Paint() override {
      ++Paints;
      Invalidate();
    }
  } c;
  c.SetBounds(0, 0, 4, 4);
  c.Invalidate();
  H().IdleLimit = 40;
  EXPECT_FALSE(c.RunBox());
  EXPECT_TRUE(H().Terminated());
  EXPECT_EQ(c.Paints, 40);

  // The time limit ends a loop whose calls are too slow to reach the count.
  H().PostMessage(c, Msg(TMessageKind::mkMouseMove));
  H().IdleLimit = 1 << 30;
  H().LoopTimeLimit = std::chrono::milliseconds(20);
  TBoxControl quiet;
  H().OnIdle = [&] { quiet.Invalidate(); };
  EXPECT_FALSE(quiet.RunBox());
  EXPECT_TRUE(H().Terminated());
}

// Messages posted while a call delivers wait for the next call, even when a
// handler destroys a control whose queued messages go with it.
TEST_F(HostTest, DestroyingAControlDoesNotLetLaterMessagesIn) {
  struct TLogger : TCustomControl {
    std::vector<std::int32_t>* Log = nullptr;
    std::function<void()> OnFirst;
    void MouseMove(TShiftState, std::int32_t x, std::int32_t) override {
      Log->push_back(x);
      if (OnFirst) std::exchange(OnFirst, nullptr)();
    }
  };
  std::vector<std::int32_t> log;
  TLogger a;
  auto doomed = std::make_unique<TLogger>();
  a.Log = doomed->Log = &log;
  H().PostMessage(a, Msg(TMessageKind::mkMouseMove, 1));
  H().PostMessage(*doomed, Msg(TMessageKind::mkMouseMove, 2));
  H().PostMessage(*doomed, Msg(TMessageKind::mkMouseMove, 3));
  a.OnFirst = [&] {
    doomed.reset();
    H().PostMessage(a, Msg(TMessageKind::mkMouseMove, 4));
    H().PostMessage(a, Msg(TMessageKind::mkMouseMove, 5));
  };
  H().ProcessMessages();
  EXPECT_EQ(log, std::vector<std::int32_t>{1});
  H().ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::int32_t>{1, 4, 5}));
}

TEST_F(HostTest, Clipboard) {
  EXPECT_EQ(H().ClipboardText(), "");
  H().SetClipboardText("hello");
  EXPECT_EQ(Host().ClipboardText(), "hello");
  EXPECT_FALSE(Host().HasClipboardBitmap());
  TBitmap bmp(3, 2);
  bmp.Clear(clBlue);
  Host().SetClipboardBitmap(bmp);
  EXPECT_EQ(Host().ClipboardText(), "");  // replaced
  TBitmap got(1, 1);
  ASSERT_TRUE(Host().GetClipboardBitmap(got));
  EXPECT_EQ(got.Width(), 3);
  EXPECT_EQ(FromRGB32(got.ScanLine(1)[2]), clBlue);
  Host().SetClipboardData("image/svg+xml", "<svg/>");
  EXPECT_EQ(Host().ClipboardData("image/svg+xml"), "<svg/>");
  EXPECT_FALSE(Host().GetClipboardBitmap(got));
  EXPECT_EQ(got.Width(), 3);  // unchanged
}

TEST_F(HostTest, MessageBoxesAreRecorded) {
  using B = TMsgDlgBtn;
  EXPECT_EQ(Host().MessageDlg("Shared data refused", TMsgDlgType::mtInformation, {B::mbOK}), mrOk);
  EXPECT_EQ(Host().MessageDlg("Sure?", TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo}), mrYes);
  EXPECT_EQ(Host().MessageDlg("Nothing", TMsgDlgType::mtWarning, {}), mrOk);
  H().SetMessageDlgAnswer(mrNo);
  EXPECT_EQ(Host().MessageDlg("Sure?", TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo}), mrNo);
  ASSERT_EQ(H().MessageBoxes().size(), 4u);
  EXPECT_EQ(H().MessageBoxes()[0].Text, "Shared data refused");
  EXPECT_EQ(H().MessageBoxes()[1].Type, TMsgDlgType::mtConfirmation);
  EXPECT_EQ(H().MessageBoxes()[3].Result, mrNo);
}

TEST_F(HostTest, Cursors) {
  LoadChartCursors();
  const char* names[] = {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"};
  const TPoint hot[] = {{12, 3}, {7, 9}, {15, 15}, {7, 8}};
  for (int id = 1; id <= 4; ++id) {
    const TCursorImage* img = Host().RegisteredCursor(id);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->Name, names[id - 1]);
    EXPECT_EQ(img->HotX, hot[id - 1].x);
    EXPECT_EQ(img->HotY, hot[id - 1].y);
    // The hot spot lies on the drawing, and every black pixel has a white or black neighbour only.
    EXPECT_NE(img->Pixel(img->HotX, img->HotY), TCursorImage::TPixel::Transparent) << names[id - 1];
    int black = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) black += img->Pixel(x, y) == TCursorImage::TPixel::Black;
    EXPECT_GT(black, 40) << names[id - 1];
  }
  EXPECT_EQ(Host().RegisteredCursor(5), nullptr);
  EXPECT_EQ(Host().ScreenCursor(), crDefault);
  Host().SetScreenCursor(2);
  EXPECT_EQ(Host().ScreenCursor(), 2);
}

TEST_F(HostTest, PrintFileNames) {
  EXPECT_EQ(THeadlessHost::PrintFileName("out/p%d.png", 3), "out/p3.png");
  EXPECT_EQ(THeadlessHost::PrintFileName("p%03d.png", 7), "p007.png");
  EXPECT_EQ(THeadlessHost::PrintFileName("dir.x/page.png", 2), "dir.x/page_2.png");
  EXPECT_EQ(THeadlessHost::PrintFileName("dir.x/page", 2), "dir.x/page_2");
  EXPECT_EQ(THeadlessHost::PrintFileName("100%s.png", 1), "100%s_1.png");
}

TEST_F(HostTest, NoPrinterRaises) {
  H().SetPrintFilePattern("");
  EXPECT_FALSE(Host().HasPrinter());
  EXPECT_THROW(Host().Printer(), EMivoError);
}

TEST_F(HostTest, PrinterWritesPngPages) {
  const fs::path dir = OutputDir("host_printer");
  H().SetPrintFilePattern((dir / "page%d.png").string());
  TPrinter& p = Host().Printer();
  p.SetPageSize(60, 40);
  p.SetPixelsPerInch(300);
  EXPECT_THROW(p.NewPage(), EMivoError);
  p.BeginDoc();
  EXPECT_THROW(p.BeginDoc(), EMivoError);
  EXPECT_TRUE(p.Canvas().IsPrinter());
  EXPECT_EQ(p.Canvas().PixelsPerInch(), 300);
  p.Canvas().Brush.Color = clRed;
  p.Canvas().FillRect(Rect(10, 10, 20, 20));
  p.NewPage();
  EXPECT_EQ(p.PageNumber(), 2);
  EXPECT_EQ(p.Canvas().Pixel(15, 15), clWhite);  // fresh page
  p.Canvas().Brush.Color = clBlue;
  p.Canvas().FillRect(Rect(0, 0, 5, 5));
  p.EndDoc();
  EXPECT_FALSE(p.Printing());
  ASSERT_EQ(H().PrintedFiles().size(), 2u);

  struct Probe {
    int page, x, y;
    TColor color;
  };
  for (const Probe pr : {Probe{1, 15, 15, clRed}, Probe{1, 25, 25, clWhite}, Probe{2, 2, 2, clBlue}}) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    const std::string name = (dir / ("page" + std::to_string(pr.page) + ".png")).string();
    ASSERT_TRUE(png_image_begin_read_from_file(&img, name.c_str())) << name;
    img.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> buf(PNG_IMAGE_SIZE(img));
    ASSERT_TRUE(png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr));
    ASSERT_EQ(img.width, 60u);
    ASSERT_EQ(img.height, 40u);
    const std::uint8_t* px = &buf[(std::size_t(pr.y) * 60 + std::size_t(pr.x)) * 3];
    EXPECT_EQ(RGB(px[0], px[1], px[2]), pr.color) << name;
  }

  // An aborted job writes nothing.
  p.BeginDoc();
  p.Abort();
  EXPECT_TRUE(p.Aborted());
  EXPECT_EQ(H().PrintedFiles().size(), 2u);
}

}  // namespace
}  // namespace mivo
