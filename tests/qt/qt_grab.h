#pragma once
// A widget's picture as Qt renders it, converted to a bitmap for comparing
// with a control's surface.

#include <cstdint>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "mivo/platform/bitmap.h"

namespace mivo::test {

inline TBitmap FromQImage(const QImage& src) {
  const QImage img = src.convertToFormat(QImage::Format_RGB32);
  TBitmap out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x)
      out.ScanLine(y)[x] = TRGB32{std::uint8_t(qBlue(row[x])), std::uint8_t(qGreen(row[x])),
                                  std::uint8_t(qRed(row[x])), 0};
  }
  return out;
}

inline TBitmap Grab(QWidget& w) { return FromQImage(w.grab().toImage()); }

}  // namespace mivo::test
