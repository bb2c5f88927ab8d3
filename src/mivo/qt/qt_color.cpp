#include "mivo/qt/qt_color.h"

#include "mivo/platform/colors.h"

namespace mivo {

QColor ToQColor(TColor c) {
  const TRGB32 p = ColorToRGBA(c);
  return QColor(p.R, p.G, p.B);
}

TColor FromQColor(const QColor& c) {
  if (!c.isValid()) return clBlack;
  const QRgb rgb = c.rgb();
  return RGBToColor(std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb)));
}

}  // namespace mivo
