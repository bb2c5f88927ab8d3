#pragma once
// The chart's settings objects: the four axes (TScaleProps and its horizontal
// and vertical forms), the coupling of the two layers (TJointLayers) and the
// background of the data area (TBakGndImg). Each notifies its chart through
// OnChange after every setter.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "mivo/base/dt_label.h"
#include "mivo/base/enums.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/rchart/rchart_types.h"
#include "mivo/scale/scale.h"
#include "mivo/scale/scale_ticks.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TCustomRChart;

// Bounds on a logarithmic axis must reach this value (the scales' own limit);
// a MinRange must exceed it.
inline constexpr double kLogAxisMin = kLogMinPositive;
// The narrowest range an axis keeps unless told otherwise.
inline constexpr double kDefaultMinRange = 1e-10;
inline constexpr std::int32_t kScalePropsDecLow = -3;
inline constexpr std::int32_t kScalePropsDecHigh = 12;

// Settings of one axis of the chart. Range rules: a range is never narrower
// than MinRange (the other bound moves instead), a logarithmic axis takes no
// bound below kLogAxisMin, and non-finite bounds are ignored.
class TScaleProps : public TPersistent {
 public:
  // `owner` (may be null) is the component whose loading state decides
  // whether Logarithmic is checked (see SetLogAx).
  explicit TScaleProps(TComponent* owner = nullptr);
  ~TScaleProps() override;
  std::string ClassName() const override { return "TScaleProps"; }

  // Back to the defaults, without notification.
  virtual void Reset();

  const std::string& Caption() const { return FCaption; }
  std::int32_t CaptionPosX() const { return FCaptionPosX; }
  std::int32_t CaptionPosY() const { return FCaptionPosY; }
  TAlignment CaptionAlignment() const { return FCaptAlign; }
  TScaleUnitAnchor CaptionAnchor() const { return FCaptAnchor; }
  TColor ColorScale() const { return FColorScale; }
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  std::int32_t DecPlaces() const { return FDecPlaces; }
  bool Logarithmic() const { return FLogAx; }
  TFigType LabelType() const { return FLabelType; }
  const TFont& Font() const { return FFont; }
  std::int32_t MinTicks() const { return FMinTicks; }
  bool NotYetLoaded() const { return FNotYetLoaded; }
  double RangeLow() const { return FRangeLow; }
  double RangeHigh() const { return FRangeHigh; }
  bool ShortTicks() const { return FShortTicks; }
  const std::string& ScaleInscript() const { return FScaleInscript; }
  TScaleType ScaleType() const { return FScaleType; }
  std::int32_t ScalePosX() const { return FScalePosX; }
  std::int32_t ScalePosY() const { return FScalePosY; }
  double MinRange() const { return FMinRngDiff; }
  const std::string& UserTickText() const { return FUserTickText; }
  bool Visible() const { return FVisible; }
  double GetScaleCenter() const { return (FRangeLow + FRangeHigh) / 2; }
  // FScalePosY for horizontal scale types, FScalePosX for vertical ones.
  std::int32_t GetScalePos() const;
  std::int32_t ScalePos() const { return GetScalePos(); }

  void SetCaption(const std::string& v);
  void SetCaptionPosX(std::int32_t v);
  void SetCaptionPosY(std::int32_t v);
  void SetCaptionAlignment(TAlignment v);
  void SetCaptionAnchor(TScaleUnitAnchor v);
  void SetColorScale(TColor v);
  void SetDTFormat(const TDTLabel& v);
  void SetDateFormat(const TDTLabel& v) { SetDTFormat(v); }
  // Clamped to -3 ... 12.
  void SetDecPlaces(std::int32_t v);
  // Switching on succeeds only over a range >= kLogAxisMin and not for date/time
  // labels, except while the owning chart is being loaded. A refused switch
  // leaves Logarithmic as it was, and LogRefusal() tells why in a sentence
  // ("" after a switch that succeeded and after any switch off).
  void SetLogAx(bool on);
  const std::string& LogRefusal() const { return FLogRefusal; }
  void SetLogarithmic(bool on) { SetLogAx(on); }
  // Date/time labels switch Logarithmic off; time spans set 4 decimals.
  void SetLabelType(TFigType t);
  void SetScaleFont(const TFont& f);
  void SetFont(const TFont& f) { SetScaleFont(f); }
  void SetMinTicks(std::int32_t v);
  void SetNotYetLoaded(bool b) { FNotYetLoaded = b; }
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  void SetShortTicks(bool v);
  void SetScaleInscript(const std::string& v);
  void SetScaleType(TScaleType t);
  void SetScalePos(std::int32_t p);
  // Ignored unless m > kLogAxisMin; a narrower range is re-centred to width m.
  void SetMinRngDiff(double m);
  void SetMinRange(double m) { SetMinRngDiff(m); }
  void SetUserTickText(const std::string& v);
  void SetVisible(bool v);

  // Copies every setting but OnChange.
  void Assign(const TPersistent& source) override;

  // Raises OnChange.
  void Changed();
  TNotifyEvent OnChange;

  // Direct access for the chart's range pipeline, which writes the bounds
  // without the setters' rules.
  void WriteRange(double low, double high) {
    FRangeLow = low;
    FRangeHigh = high;
  }

 protected:
  void AssignTo(TPersistent& dest) const override;
  // True while Logarithmic and LabelType take their values unchecked.
  bool Loading() const;
  // Every setting but OnChange, without notifying.
  void CopySettings(const TScaleProps& from);

  // Made first in every setter: a setter that raises changes nothing.
  class TUndo;

  std::string FCaption;
  std::int32_t FCaptionPosX = 0, FCaptionPosY = 0;
  TAlignment FCaptAlign = TAlignment::taCenter;
  TScaleUnitAnchor FCaptAnchor = TScaleUnitAnchor::uaSclTopLft;
  TColor FColorScale = 0;
  std::unique_ptr<TDTLabel> FDTFormat;
  std::int32_t FDecPlaces = -2;
  bool FLogAx = false;
  std::string FLogRefusal;
  TFigType FLabelType = TFigType::ftNum;
  TFont FFont;
  std::int32_t FMinTicks = 3;
  bool FNotYetLoaded = true;
  double FRangeLow = 0, FRangeHigh = 1;
  bool FShortTicks = true;
  std::string FScaleInscript;
  TScaleType FScaleType = TScaleType::sctHorzDown;
  std::int32_t FScalePosX = 0, FScalePosY = 0;
  double FMinRngDiff = kDefaultMinRange;
  std::string FUserTickText;
  bool FVisible = false;
  TComponent* FOwner = nullptr;
};

// When the setter that made it raises (its OnChange refused the new
// settings), puts the settings back as they were and notifies the owner of
// them again.
class TScaleProps::TUndo {
 public:
  explicit TUndo(TScaleProps& props);
  TUndo(const TUndo&) = delete;
  TUndo& operator=(const TUndo&) = delete;
  ~TUndo();

 private:
  TScaleProps& FProps;
  TScaleProps FSaved;
  int FExceptions;
};

enum class TScaleLocationHoriz : std::uint8_t { slTop, slBottom };
enum class TScaleLocationVert : std::uint8_t { slLeft, slRight };

class TScalePropsHoriz : public TScaleProps {
 public:
  using TScaleProps::TScaleProps;
  std::string ClassName() const override { return "TScalePropsHoriz"; }
  void Reset() override;
  TScaleLocationHoriz ScaleLocation() const { return FScaleLoc; }
  // slTop sets scale type 0, slBottom type 1.
  void SetScaleLoc(TScaleLocationHoriz loc);
  void SetScaleLocation(TScaleLocationHoriz loc) { SetScaleLoc(loc); }
  void Assign(const TPersistent& source) override;

 private:
  TScaleLocationHoriz FScaleLoc = TScaleLocationHoriz::slBottom;
};

class TScalePropsVert : public TScaleProps {
 public:
  using TScaleProps::TScaleProps;
  std::string ClassName() const override { return "TScalePropsVert"; }
  void Reset() override;
  TScaleLocationVert ScaleLocation() const { return FScaleLoc; }
  // slRight sets scale type 2, slLeft type 3.
  void SetScaleLoc(TScaleLocationVert loc);
  void SetScaleLocation(TScaleLocationVert loc) { SetScaleLoc(loc); }
  void Assign(const TPersistent& source) override;

 private:
  TScaleLocationVert FScaleLoc = TScaleLocationVert::slLeft;
};

// Which layer controls the x and the y range of each layer (a layer that
// controls itself is free).
class TJointLayers : public TPersistent {
 public:
  explicit TJointLayers(TCustomRChart* owner = nullptr) : FOwner(owner) {}
  std::string ClassName() const override { return "TJointLayers"; }

  void Reset();
  // The controller of `layer` (1 or 2); 0 for other layers.
  std::int32_t GetControlledLayerX(std::int32_t layer) const;
  std::int32_t GetControlledLayerY(std::int32_t layer) const;
  // Joins `layer` to `master` (master = layer releases it). Raises
  // EMivoRChartError for a master outside 1 ... 2, a master that is itself
  // joined, or a layer that others follow; the assignment is then unchanged.
  // Layers outside 1 ... 2 are ignored.
  void SetControlledLayerX(std::int32_t layer, std::int32_t master);
  void SetControlledLayerY(std::int32_t layer, std::int32_t master);

  std::int32_t L01xControlledBy() const { return GetControlledLayerX(1); }
  std::int32_t L01yControlledBy() const { return GetControlledLayerY(1); }
  std::int32_t L02xControlledBy() const { return GetControlledLayerX(2); }
  std::int32_t L02yControlledBy() const { return GetControlledLayerY(2); }
  void SetL01xControlledBy(std::int32_t m) { SetControlledLayerX(1, m); }
  void SetL01yControlledBy(std::int32_t m) { SetControlledLayerY(1, m); }
  void SetL02xControlledBy(std::int32_t m) { SetControlledLayerX(2, m); }
  void SetL02yControlledBy(std::int32_t m) { SetControlledLayerY(2, m); }

  void Assign(const TPersistent& source) override;
  void Changed() {
    if (OnChange) OnChange(*this);
  }
  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;

 private:
  void SetControlled(std::array<std::int32_t, 2>& masters, bool xAxis, std::int32_t layer, std::int32_t master);

  std::array<std::int32_t, 2> FMasterLayerX{1, 2};
  std::array<std::int32_t, 2> FMasterLayerY{1, 2};
  TCustomRChart* FOwner = nullptr;
};

// Coloured background area of the data area.
enum class TBGAreaMode : std::uint8_t {
  bamNone,
  bamLeft,
  bamRight,
  bamTop,
  bamBottom,
  bamVStripe,
  bamHStripe,
  bamRect,
  bamRectInv,
  bamVStripeInv,
  bamHStripeInv
};

inline constexpr TColor kDefaultAreaColor = 0xDDDDDD;

// Background image and coloured area of the data area.
class TBakGndImg : public TPersistent {
 public:
  std::string ClassName() const override { return "TBakGndImg"; }
  void Reset();

  const std::string& Name() const { return FName; }
  bool IncludePath() const { return FIncldPath; }
  TBkgFill FillMode() const { return FFillMode; }
  TBGAreaMode AreaMode() const { return FBGAreaMode; }
  TColor AreaColor() const { return FBGAreaColor; }
  double AreaLeft() const { return FBGAreaLeft; }
  double AreaRight() const { return FBGAreaRight; }
  double AreaTop() const { return FBGAreaTop; }
  double AreaBottom() const { return FBGAreaBottom; }

  // Keeps only the file-name part unless IncludePath is set.
  void SetName(const std::string& n);
  // Switching off also strips the directory from the stored name.
  void SetIncldPath(bool b);
  void SetIncludePath(bool b) { SetIncldPath(b); }
  void SetFillMode(TBkgFill m);
  void SetAreaMode(TBGAreaMode m);
  void SetAreaColor(TColor c);
  void SetAreaLeft(double v);
  void SetAreaRight(double v);
  void SetAreaTop(double v);
  void SetAreaBottom(double v);

  void Assign(const TPersistent& source) override;
  void Changed() {
    if (OnChange) OnChange(*this);
  }
  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;

 private:
  std::string FName;
  bool FIncldPath = false;
  TBkgFill FFillMode = TBkgFill::bfStretch;
  TBGAreaMode FBGAreaMode = TBGAreaMode::bamNone;
  TColor FBGAreaColor = kDefaultAreaColor;
  double FBGAreaLeft = -1, FBGAreaRight = 1, FBGAreaTop = 1, FBGAreaBottom = -1;
};

// The file-name part of a path (after the last '/' or '\').
std::string ExtractFileNamePart(const std::string& path);

}  // namespace mivo
MIVO_PUBLIC_END
