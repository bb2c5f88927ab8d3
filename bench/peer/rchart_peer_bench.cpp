// The chart's full Paint beside its peers on the same 1000 x 700 picture and
// the same points, measured in one run:
//   TRChart        the chart (frame, both scales with labels)
//   QPainter       Qt 6 drawing into a QImage by hand: frame, two axes with
//                  ten labelled ticks each, then every segment, square or label
//   QCustomPlot    a QCustomPlot (Qt 6) replot, adaptive sampling on
// Workloads: a 1,000,000-point line, 100,000 squares, the line with the
// squares and 10,000 labels, and 1% of a sorted 10,000,000-point signal. The
// chart's smallest filled square is 7 x 7 with its outline; the peers draw
// 5 x 5, half the pixels, so that comparison leans against the chart. A fifth
// workload has the peers draw the chart's square (7 x 7, outline and fill), to
// compare like with like.
// Goals: line <= 1.0 x QCustomPlot, squares <= 0.2 x QPainter, line + squares
// + labels <= 0.3 x QPainter, the zoomed view under 1 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <qcustomplot.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "ratio_reporter.h"

namespace {

constexpr int kWidth = 1000, kHeight = 700;
constexpr int kLines = 1000000, kMarks = 100000, kTexts = 10000, kSignal = 10000000;

struct TData {
  QVector<double> lx, ly, mx, my, tx, ty;
  std::vector<std::string> texts;
  double ylo = 0, yhi = 0;
};

const TData& Data() {
  static const TData d = [] {
    TData r;
    std::mt19937_64 rng(11);
    std::normal_distribution<double> step;
    double y = 0;
    for (int i = 0; i < kLines; ++i) {
      r.lx.push_back(i);
      r.ly.push_back(y);
      r.ylo = std::min(r.ylo, y);
      r.yhi = std::max(r.yhi, y);
      y += step(rng);
    }
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < kMarks; ++i) {
      r.mx.push_back(u(rng) * kLines);
      r.my.push_back(r.ylo + u(rng) * (r.yhi - r.ylo));
    }
    for (int i = 0; i < kTexts; ++i) {
      r.tx.push_back(u(rng) * kLines);
      r.ty.push_back(r.ylo + u(rng) * (r.yhi - r.ylo));
      r.texts.push_back("T" + std::to_string(i));
    }
    return r;
  }();
  return d;
}

// The sorted signal of 10,000,000 points and the visible 1% of it.
struct TSignal {
  QVector<double> x, y;
};
const TSignal& Signal() {
  static const TSignal s = [] {
    TSignal r;
    std::mt19937_64 rng(21);
    std::normal_distribution<double> step;
    double v = 0;
    for (int i = 0; i < kSignal; ++i) {
      r.x.push_back(i);
      r.y.push_back(v);
      v += step(rng);
    }
    return r;
  }();
  return s;
}
constexpr double kZoomLo = 4500000, kZoomHi = 4600000, kZoomYLo = -3000, kZoomYHi = 3000;

// wSquares7: the 100k squares drawn as the chart draws them (peers only; the
// chart's own run is wMarks).
enum TWork { wLine = 1, wMarks = 2, wTexts = 4, wZoom = 8, wSquares7 = 16 };

// ---------------------------------------------------------------- the chart

std::unique_ptr<mivo::TCustomRChart> OurChart(int work) {
  const TData& d = Data();
  auto c = std::make_unique<mivo::TCustomRChart>();
  c->SetBounds(0, 0, kWidth, kHeight);
  if (work & wZoom) {
    std::mt19937_64 rng(21);
    std::normal_distribution<double> step;
    double y = 0;
    c->MoveTo(0, 0);
    for (int i = 1; i < kSignal; ++i) c->DrawTo(i, y += step(rng));
    c->SetRange(1, kZoomLo, kZoomYLo, kZoomHi, kZoomYHi);
  } else {
    if (work & wLine) {
      c->MoveTo(d.lx[0], d.ly[0]);
      for (int i = 1; i < kLines; ++i) c->DrawTo(d.lx[i], d.ly[i]);
    }
    if (work & wMarks)
      for (int i = 0; i < kMarks; ++i) c->MarkAt(d.mx[i], d.my[i], 9);
    if (work & wTexts)
      for (int i = 0; i < kTexts; ++i) c->Text(d.tx[i], d.ty[i], 8, d.texts[std::size_t(i)]);
    c->SetRange(1, 0, d.ylo, kLines, d.yhi);
  }
  c->SetSuppressPaint(false);
  return c;
}

void BM_TRChart(benchmark::State& state) {
  const auto c = OurChart(int(state.range(0)));
  c->Paint();
  for (auto _ : state) c->Paint();
}

// ---------------------------------------------------------------- QPainter by hand

void BM_QPainter(benchmark::State& state) {
  const int work = int(state.range(0));
  const TData& d = Data();
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  const QRectF area(50, 16, kWidth - 60, kHeight - 48);
  const bool zoom = work & wZoom;
  const double xlo = zoom ? kZoomLo : 0, xhi = zoom ? kZoomHi : kLines;
  const double ylo = zoom ? kZoomYLo : d.ylo, yhi = zoom ? kZoomYHi : d.yhi;
  const double kx = area.width() / (xhi - xlo), ky = -area.height() / (yhi - ylo);
  const auto px = [&](double x) { return area.left() + (x - xlo) * kx; };
  const auto py = [&](double y) { return area.bottom() + (y - ylo) * ky; };
  std::vector<QPointF> poly(std::size_t(d.lx.size()));
  if (zoom) Signal();  // made before the timing
  for (auto _ : state) {
    QPainter p(&img);
    p.fillRect(img.rect(), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(area);
    for (int t = 0; t <= 10; ++t) {
      const double x = area.left() + area.width() * t / 10, y = area.bottom() - area.height() * t / 10;
      p.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 4));
      p.drawText(QPointF(x - 10, area.bottom() + 16), QString::number(kLines / 10 * t));
      p.drawLine(QPointF(area.left() - 4, y), QPointF(area.left(), y));
      p.drawText(QPointF(4, y + 4), QString::number(d.ylo + (d.yhi - d.ylo) * t / 10, 'f', 0));
    }
    p.setClipRect(area);
    if (work & wLine) {
      for (std::size_t i = 0; i < poly.size(); ++i) poly[i] = QPointF(px(d.lx[int(i)]), py(d.ly[int(i)]));
      p.drawPolyline(poly.data(), int(poly.size()));
    }
    if (zoom) {
      // The visible part found by binary search, one point beyond each side.
      const TSignal& sg = Signal();
      const auto a = std::max<std::ptrdiff_t>(std::lower_bound(sg.x.begin(), sg.x.end(), xlo) - sg.x.begin() - 1, 0);
      const auto b = std::min<std::ptrdiff_t>(std::upper_bound(sg.x.begin(), sg.x.end(), xhi) - sg.x.begin() + 1,
                                              sg.x.size());
      std::size_t n = 0;
      for (auto i = a; i < b; ++i) poly[n++] = QPointF(px(sg.x[i]), py(sg.y[i]));
      p.drawPolyline(poly.data(), int(n));
    }
    if (work & wMarks)
      for (int i = 0; i < kMarks; ++i) p.fillRect(QRectF(px(d.mx[i]) - 2, py(d.my[i]) - 2, 5, 5), Qt::black);
    if (work & wSquares7) {
      p.setPen(Qt::black);
      p.setBrush(Qt::red);
      for (int i = 0; i < kMarks; ++i) p.drawRect(QRect(int(px(d.mx[i])) - 3, int(py(d.my[i])) - 3, 6, 6));
    }
    if (work & wTexts)
      for (int i = 0; i < kTexts; ++i)
        p.drawText(QPointF(px(d.tx[i]), py(d.ty[i])), QString::fromStdString(d.texts[std::size_t(i)]));
    benchmark::DoNotOptimize(img.constBits());
  }
}

// ---------------------------------------------------------------- QCustomPlot

void BM_QCustomPlot(benchmark::State& state) {
  const int work = int(state.range(0));
  const TData& d = Data();
  QCustomPlot plot;
  plot.resize(kWidth, kHeight);
  if (work & wZoom) {
    plot.addGraph()->setData(Signal().x, Signal().y, true);
    plot.xAxis->setRange(kZoomLo, kZoomHi);
    plot.yAxis->setRange(kZoomYLo, kZoomYHi);
  } else {
    if (work & wLine) plot.addGraph()->setData(d.lx, d.ly, true);
    if (work & (wMarks | wSquares7)) {
      QCPGraph* g = plot.addGraph();
      g->setData(d.mx, d.my);
      g->setLineStyle(QCPGraph::lsNone);
      if (work & wMarks)
        g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, Qt::black, Qt::black, 5));
      else
        g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, Qt::black, Qt::red, 7));
    }
    if (work & wTexts)
      for (int i = 0; i < kTexts; ++i) {
        auto* t = new QCPItemText(&plot);
        t->position->setCoords(d.tx[i], d.ty[i]);
        t->setText(QString::fromStdString(d.texts[std::size_t(i)]));
      }
    plot.xAxis->setRange(0, kLines);
    plot.yAxis->setRange(d.ylo, d.yhi);
  }
  plot.replot(QCustomPlot::rpImmediateRefresh);
  for (auto _ : state) plot.replot(QCustomPlot::rpImmediateRefresh);
}

void Workloads(benchmark::internal::Benchmark* b) {
  b->Arg(wLine)->Arg(wMarks)->Arg(wLine | wMarks | wTexts)->Arg(wZoom)->Unit(benchmark::kMillisecond);
}
void PeerWorkloads(benchmark::internal::Benchmark* b) {
  Workloads(b);
  b->Arg(wSquares7);
}
BENCHMARK(BM_TRChart)->Apply(Workloads);
BENCHMARK(BM_QPainter)->Apply(PeerWorkloads);
BENCHMARK(BM_QCustomPlot)->Apply(PeerWorkloads);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  const struct {
    const char* name;
    int ours, peers;
  } rows[] = {{"1M-point line", wLine, wLine},
              {"100k squares", wMarks, wMarks},
              {"100k squares, 7 x 7 outlined", wMarks, wSquares7},
              {"line + squares + labels", wLine | wMarks | wTexts, wLine | wMarks | wTexts},
              {"1% of 10M sorted", wZoom, wZoom}};
  std::printf("\nratios TRChart / QPainter, TRChart / QCustomPlot\n");
  for (const auto& r : rows) {
    const std::string ours = "BM_TRChart/" + std::to_string(r.ours);
    double q = 0, c = 0;
    const bool hq = reporter.Ratio(ours, "BM_QPainter/" + std::to_string(r.peers), q);
    const bool hc = reporter.Ratio(ours, "BM_QCustomPlot/" + std::to_string(r.peers), c);
    std::printf("  %-30s %6.2f %6.2f\n", r.name, hq ? q : -1.0, hc ? c : -1.0);
  }
  return 0;
}
