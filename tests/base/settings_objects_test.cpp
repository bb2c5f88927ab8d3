#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "mivo/base/crosshair.h"
#include "mivo/base/text_label.h"
#include "mivo/platform/errors.h"

namespace mivo {
namespace {

// Each setter notifies exactly once when it changes a value and never when it
// stores the value already there.
template <typename T>
void CheckSetters(const std::vector<std::pair<std::string, std::function<void(T&)>>>& setters) {
  T obj;
  int count = 0;
  obj.OnChange = [&](TObject& s) {
    EXPECT_EQ(&s, &obj);
    ++count;
  };
  for (const auto& [name, set] : setters) {
    const int before = count;
    set(obj);
    EXPECT_EQ(count, before + 1) << name << " changing";
    set(obj);
    EXPECT_EQ(count, before + 1) << name << " unchanged";
  }
}

TEST(CrossHairTest, SettersNotifyOnChangeOnly) {
  CheckSetters<TCrossHair>({
      {"PosX", [](TCrossHair& c) { c.SetPosX(2.5); }},
      {"PosY", [](TCrossHair& c) { c.SetPosY(std::numeric_limits<double>::quiet_NaN()); }},
      {"Pos", [](TCrossHair& c) { c.SetPos(1, 1); }},
      {"Layer", [](TCrossHair& c) { c.SetLayer(2); }},
      {"Color", [](TCrossHair& c) { c.SetColor(clBlue); }},
      {"Mode", [](TCrossHair& c) { c.SetMode(TCrossHMode::chBoth); }},
      {"LineType", [](TCrossHair& c) { c.SetLineType(TPenStyle::psDashDotDot); }},
      {"LineWidth", [](TCrossHair& c) { c.SetLineWidth(3); }},
  });
  TCrossHair c;
  c.SetLineWidth(-4);
  EXPECT_EQ(c.LineWidth(), 1);
}

TEST(CrossHairTest, AssignCopiesSettingsOnce) {
  TCrossHair a, b;
  a.SetPos(3, 4);
  a.SetMode(TCrossHMode::chSmallCross);
  a.SetColor(clLime);
  int count = 0;
  b.OnChange = [&](TObject&) { ++count; };
  b.Assign(a);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(b.PosY(), 4);
  EXPECT_EQ(b.Mode(), TCrossHMode::chSmallCross);
  EXPECT_EQ(b.Color(), clLime);
  b.Assign(a);
  EXPECT_EQ(count, 1);
  TTextLabel other;
  EXPECT_THROW(b.Assign(other), EMivoError);
}

TEST(TextLabelTest, DefaultsAndSetters) {
  TTextLabel l;
  EXPECT_EQ(l.AttachToData(), TTxtLblAttachMode::tamBoth);
  EXPECT_EQ(l.Alignment(), TAlignment::taCenter);
  EXPECT_EQ(static_cast<int>(l.VerticalAlignment()), 2);
  EXPECT_EQ(l.ColorShadow(), clGray);
  EXPECT_EQ(l.ShadowDx(), 3);
  EXPECT_FALSE(l.Visible());
  EXPECT_EQ(l.Mode(), TTxtLblMode::tlOff);
  TFont big;
  big.Size = 14;
  CheckSetters<TTextLabel>({
      {"Caption", [](TTextLabel& t) { t.SetCaption("a\nb"); }},
      {"Font", [big](TTextLabel& t) { t.SetFont(big); }},
      {"FontColor", [](TTextLabel& t) { t.SetFontColor(clRed); }},
      {"PosX", [](TTextLabel& t) { t.SetPosX(-1e300); }},
      {"PosY", [](TTextLabel& t) { t.SetPosY(std::numeric_limits<double>::infinity()); }},
      {"Pos", [](TTextLabel& t) { t.SetPos(5, 6); }},
      {"Attach", [](TTextLabel& t) { t.SetAttachToData(TTxtLblAttachMode::tamNone); }},
      {"Layer", [](TTextLabel& t) { t.SetLayer(2); }},
      {"Alignment", [](TTextLabel& t) { t.SetAlignment(TAlignment::taRightJustify); }},
      {"VAlign", [](TTextLabel& t) { t.SetVerticalAlignment(TVerticalAlignment::vaTop); }},
      {"Bkg", [](TTextLabel& t) { t.SetColorBkg(clYellow); }},
      {"Border", [](TTextLabel& t) { t.SetColorBorder(clNavy); }},
      {"Shadow", [](TTextLabel& t) { t.SetColorShadow(clSilver); }},
      {"Dx", [](TTextLabel& t) { t.SetShadowDx(-2); }},
      {"Dy", [](TTextLabel& t) { t.SetShadowDy(0); }},
      {"Transparent", [](TTextLabel& t) { t.SetTransparent(true); }},
      {"Visible", [](TTextLabel& t) { t.SetVisible(true); }},
      {"Mode", [](TTextLabel& t) { t.SetMode(TTxtLblMode::tlShadow); }},
  });
}

// A descendant with a setting of its own assigns everything with one notification.
class TPositionedLabel : public TCustomTextLabel {
 public:
  std::int32_t Position = 8;
  void Assign(const TPersistent& source) override {
    const auto* o = dynamic_cast<const TPositionedLabel*>(&source);
    if (!o) {
      TCustomTextLabel::Assign(source);
      return;
    }
    bool changed = AssignLabelSettings(*o);
    if (Position != o->Position) {
      Position = o->Position;
      changed = true;
    }
    if (changed) Changed();
  }
};

TEST(TextLabelTest, AssignCopiesEverythingOnce) {
  TPositionedLabel a, b;
  a.SetCaption("Col\x0A" "A");
  a.SetMode(TTxtLblMode::tlBox);
  a.Position = -3;
  int count = 0;
  b.OnChange = [&](TObject&) { ++count; };
  b.Assign(a);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(b.Caption(), a.Caption());
  EXPECT_EQ(b.Mode(), TTxtLblMode::tlBox);
  EXPECT_EQ(b.Position, -3);
  b.Assign(a);
  EXPECT_EQ(count, 1);
  TTextLabel plain;
  plain.Assign(a);  // from a descendant: the common settings
  EXPECT_EQ(plain.Caption(), a.Caption());
}

}  // namespace
}  // namespace mivo
