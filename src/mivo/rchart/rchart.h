#pragma once
// TCustomRChart: a 2D chart that keeps what the host draws as a display list
// of items in world coordinates, on two layers with their own x and y scales.
// The list lives in a compact store (item_store.h: x and y arrays, a small
// head per item, shared drawing states); TrcChartItem records are how items
// go in and out.
//
// Stages: item adders append items (rchart_items.cpp); the mapping turns
// world coordinates into pixels per layer (rchart_mapping.cpp); the range
// pipeline SetRange -> SetRangeIntern -> ForceRange -> ForceRngIntern is the
// only road by which ranges change (rchart_ranges.cpp); queries and edits
// work on the list (rchart_queries.cpp); the binary data file and the text
// listing (rchart_datafile.cpp); the axes' settings and the four internal
// scales (rchart_settings.cpp, rchart_scales.cpp). Painting is a virtual
// Paint; every "redraw" of a setter is Paint when AutoRedraw is on or the
// component is in design mode.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mivo/base/crosshair.h"
#include "mivo/base/enums.h"
#include "mivo/base/number_format.h"  // RCSpecStrf, the chart's number formatter
#include "mivo/base/text_label.h"
#include "mivo/base/univconst.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/rchart/rchart_settings.h"
#include "mivo/rchart/chart_settings.h"
#include "mivo/rchart/mouse_drag_state.h"
#include "mivo/rchart/rchart_types.h"
#include "mivo/rchart/zoom_history.h"
#include "mivo/scale/scale.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr std::int32_t kNumLayers = 2;
static_assert(TZoomHistory::kLayers == std::size_t(kNumLayers));
static_assert(TMouseDragState::kLayers == std::size_t(kNumLayers));
inline constexpr std::int32_t kNumCrossHairs = 4;
// Charts that can show one chart's display list besides that chart.
inline constexpr std::int32_t kMaxDataUsers = 4;
inline constexpr std::int32_t kNumTextLabels = 30;
inline constexpr std::int32_t kMaxMTrace = 5000;
inline constexpr std::int32_t kDefaultAllocSize = 1000;
inline constexpr std::int32_t kMaxAllocSize = 1000000;
inline constexpr double kArcAngleFactor = 100000000.0;
// The limit of pixel results of R2M; NaN maps to the upper limit.
inline constexpr double kPixelClamp = 2147483647.0;


namespace detail {

class TItemStore;  // item_store.h
class TMarkStamps;  // rchart_items_painter_internal.h

// The storage of the display list as a chart holds it. Charts that share a
// display list hold handles to one store (ShareWith): changes through any of
// them are seen by all; Clear and Swap change only this handle's reference,
// the store lives while any refers to it.
class TItemBuffer {
 public:
  TItemBuffer() = default;
  TItemBuffer(const TItemBuffer&) = delete;
  TItemBuffer& operator=(const TItemBuffer&) = delete;
  ~TItemBuffer();
  // The store, made on first use.
  TItemStore& Store();
  const TItemStore* Get() const { return FStore.get(); }
  std::size_t Capacity() const;
  // Room for at least n items, existing ones kept; raises std::bad_alloc
  // (and keeps the buffer as it was) when there is no memory for them.
  void Reserve(std::size_t n);
  // Drops this handle's reference (an unshared store is freed).
  void Clear();
  void Swap(TItemBuffer& other) noexcept;
  // Refers to the store of `other`.
  void ShareWith(const TItemBuffer& other) { FStore = other.FStore; }
  bool SharesWith(const TItemBuffer& other) const { return FStore && FStore == other.FStore; }
  // Another handle refers to the same store.
  bool Shared() const { return FStore && FStore.use_count() > 1; }
  // A store of its own holding a copy of the first n items, with room for
  // `capacity` (at least n); raises std::bad_alloc and keeps the reference
  // when there is no memory for it.
  void MakeOwn(std::size_t n, std::size_t capacity);

 private:
  std::shared_ptr<TItemStore> FStore;
};

}  // namespace detail

// The settings (TChartSettings) are a private base: the chart reads them as
// its own fields, ResetComp and Assign treat them as one value.
class TCustomRChart : public TCustomControl, private TChartSettings {
 public:
  // The chart's rendering hooks also get the offset of the picture (Top,
  // Left); the colour bar's and the 3D plots' TRenderEvent has only the canvas.
  using TRenderEvent = std::function<void(TObject& sender, TCanvas& canvas, std::int32_t top, std::int32_t left)>;

  explicit TCustomRChart(TComponent* owner = nullptr);
  ~TCustomRChart() override;
  std::string ClassName() const override { return "TCustomRChart"; }

  // Sets every setting to its default; painting is left to the caller.
  virtual void ResetComp();
  // From another chart: settings, display list and counts, visibility,
  // mapping, zoom history, crosshairs, text labels, scale settings, joint
  // layers, background and the chart's event callbacks; then the scales and
  // the mapping follow and the chart paints. Other sources go to the base
  // assignment.
  void Assign(const TPersistent& source) override;
  // After reading a form file: the scale settings go to the scales, the
  // mapping is recomputed and the chart paints.
  void Loaded() override;
  // Full repaint. Nothing happens while PaintAllowed() is false.
  void Paint() override;
  // The screen's picture at a device scale: the printed picture at that
  // scale with what only the screen shows (mouse trace, drag figures).
  void PaintScaled(TBitmap& bmp, double f) override;
  // Not invisible (outside design mode), not loading, not suppressed.
  bool PaintAllowed() const;
  bool SuppressPaint() const { return FSuppressPaint; }
  // Painting becomes enabled: Paint.
  virtual void SetSuppressPaint(bool on);
  bool AutoRedraw() const { return FAutoRedraw; }
  void SetAutoRedraw(bool b) { FAutoRedraw = b; }
  // Paint when AutoRedraw is on or in design mode.
  void Redraw();
  // Change notification of crosshairs, text labels, joint layers and the background.
  void StyleChanged(TObject& sender);

  // ---- Painting (rchart_render.cpp) ----------------------------------------
  // Frame, shadow, caption and the four scales onto `canvas` in control
  // coordinates; the mapping is recomputed first.
  void ConstructChartBmp(TCanvas& canvas);
  // The data-area background into the rectangle: the background image, or the
  // chart colour with the coloured area.
  virtual void InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                        std::int32_t height);
  // Grid and items into the bitmap's canvas (ConstructDataBmpCanvas).
  virtual void ConstructDataBmp(TBitmap& bmp, std::int32_t offsetX, std::int32_t offsetY, bool mono,
                                std::int32_t startItem);
  // The renderer: a control pixel (x, y) lands on (x + offsetX - MarginLeft,
  // y + offsetY - MarginTop) of the canvas. A start item other than 0 leaves
  // the grid out.
  virtual void ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY, bool mono,
                                      std::int32_t startItem);
  // Copies the bitmap onto the canvas at (x, y), with the crosshairs drawn
  // over it (x, y being the bitmap's place in the control); the bitmap itself
  // is left as it was.
  void DrawFinish(std::int32_t x, std::int32_t y, TCanvas& canvas, TBitmap& bmp);
  // The frame (chart bitmap) around the data bitmap to the screen, with the
  // crosshairs. Without crosshairs the two go to the screen side by side and
  // the chart bitmap's data area is brought up to date only when read.
  void ShowComposedPicture();
  // The data bitmap has gone to the screen at (x, y) and not into the chart
  // bitmap yet; SyncChartBmp copies it there.
  void NoteDataAreaShown(std::int32_t x, std::int32_t y);
  void SyncChartBmp() const;
  // The whole display list to the screen (data area only with AutoRedraw).
  void ShowGraf();
  // The items added since the last show, drawn over the data bitmap.
  void ShowGrafNewOnly();
  // The picture drawn straight onto any canvas as primitives and text, with
  // the control's top-left corner at (0, 0), crosshairs and text labels
  // included; no bitmap is copied. Raises like Paint.
  void PaintTo(TCanvas& canvas);
  // Grid positions of the active layer (world units, at most 1000 each).
  std::vector<double> GridPositionsX() const;
  std::vector<double> GridPositionsY() const;

  // ---- Display list (rchart_items.cpp) --------------------------------------
  void MarkAt(double x, double y, std::uint8_t markType);
  void MarkErrorBar(double x, double y, double e1, double e2, TOrientation orientation, std::uint8_t markType);
  void Text(double x, double y, std::int32_t size, const std::string& txt);
  void Text(double x, double y, std::int32_t size, const std::string& txt, std::int32_t offX, std::int32_t offY,
            TAlignment align);
  void MoveTo(double x, double y);
  void MoveToRelPix(std::int32_t dx, std::int32_t dy);
  void DrawTo(double x, double y);
  void DrawToRelPix(std::int32_t dx, std::int32_t dy);
  void Line(double x1, double y1, double x2, double y2);
  void LineOffset(double x1, double y1, double x2, double y2, std::int32_t offX, std::int32_t offY);
  void Rectangle(double x1, double y1, double x2, double y2);
  void RectangleRelPix(double x, double y, std::int32_t dx, std::int32_t dy);
  void RectFrame(double x1, double y1, double x2, double y2, TFrameStyle frameStyle, TColor shadowCol,
                 TColor hiLightCol);
  void Bar3D(double x1, double y1, double x2, double y2, std::int32_t depth, std::int32_t angle);
  void Ellipse(double xc, double yc, double rx, double ry);
  void Arc(double xc, double yc, double rx, double ry, double startAngle, double endAngle);
  void Arrow(double x1, double y1, double x2, double y2, std::int32_t headSize);

  std::int32_t NumItems() const { return FNumChartItems; }
  std::int32_t NumAllocated() const { return FNumAllocated; }
  std::int32_t AllocSize() const { return FAllocSize; }
  // Accepted for 1 ... 1000000.
  void SetAllocSize(std::int32_t n);
  // A copy of item idx; a record of kind tkNone outside 0 ... NumItems - 1.
  TrcChartItem GetChartItem(std::int32_t idx) const;
  // Overwrites item idx; kind counts are not adjusted (see SetItemParams). An
  // item the list may not hold (IsStorableItem) is refused.
  void SetChartitem(std::int32_t idx, const TrcChartItem& item);
  TrcChartItem DataContainer(std::int32_t idx) const { return GetChartItem(idx); }
  std::int32_t GetItemCount(TrcItem kind) const;
  std::int32_t ItemCount(TrcItem kind) const { return GetItemCount(kind); }
  std::int32_t LastElemOnShow() const { return FLastElemOnShow; }
  // Empties the display list and the mouse trace; no repaint.
  void ClearGraf();

  std::int32_t DataTag() const { return FDataTag; }
  void SetDataTag(std::int32_t t) { FDataTag = t; }
  std::int32_t ActiveLayer() const { return FActiveLayer; }
  // 1 or 2; other values are ignored. Redraws.
  void SetActiveLayer(std::int32_t n);
  bool GetLayerVisib(std::int32_t layer) const;
  void SetLayerVisib(std::int32_t layer, bool visible);
  bool LayerVisible(std::int32_t layer) const { return GetLayerVisib(layer); }
  void SetLayerVisible(std::int32_t layer, bool visible) { SetLayerVisib(layer, visible); }
  bool GetClassVisib(std::uint8_t cls) const { return FItClassVisib[cls]; }
  void SetClassVisib(std::uint8_t cls, bool visible);
  bool ClassVisible(std::uint8_t cls) const { return GetClassVisib(cls); }
  void SetClassVisible(std::uint8_t cls, bool visible) { SetClassVisib(cls, visible); }
  std::uint8_t ClassDefault() const { return RcClassDefault; }
  // 0 ... 254; 255 is ignored.
  void SetClassDefault(std::uint8_t cls);
  bool GetMAffLayer(std::int32_t layer) const;
  void SetMAffLayer(std::int32_t layer, bool flag);
  bool MouseAffectsLayer(std::int32_t layer) const { return GetMAffLayer(layer); }
  void SetMouseAffectsLayer(std::int32_t layer, bool flag) { SetMAffLayer(layer, flag); }
  bool AvoidDuplicateMarks() const { return FAvoidDupMarks; }
  void SetAvoidDupMarks(bool b);
  void SetAvoidDuplicateMarks(bool b) { SetAvoidDupMarks(b); }
  std::int32_t MinDupMarkDist() const { return FDupMarksMinD; }
  // Clamped to 1 ... 3.
  void SetDupMarksMinD(std::int32_t d);
  void SetMinDupMarkDist(std::int32_t d) { SetDupMarksMinD(d); }

  // Drawing state stamped into new items (no repaint).
  TColor DataColor() const { return RcDataCol; }
  void SetDataCol(TColor c) { RcDataCol = c; }
  void SetDataColor(TColor c) { SetDataCol(c); }
  TPenStyle PenStyle() const { return RcPenStyle; }
  void SetPenStyle(TPenStyle s) { RcPenStyle = s; }
  std::uint8_t LineWidth() const { return RcLineWid; }
  void SetLineWid(std::uint8_t w) { RcLineWid = w; }
  void SetLineWidth(std::uint8_t w) { SetLineWid(w); }
  TColor FillColor() const { return RcFillCol; }
  void SetFillCol(TColor c) { RcFillCol = c; }
  void SetFillColor(TColor c) { SetFillCol(c); }
  bool TransparentItems() const { return FTranspItems; }
  void SetTransparentItems(bool b) { FTranspItems = b; }
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment a);
  TFontStyles TextFontStyle() const { return FTextFontStyle; }
  void SetTextFontStyle(TFontStyles s);
  TTextBkg TextBkStyle() const { return FTextBkStyle; }
  void SetTextBkStyle(TTextBkg s);
  TColor TextBkColor() const { return FTextBkColor; }
  void SetTextBkColor(TColor c);

  // ---- Mapping and layout (rchart_mapping.cpp) -----------------------------
  // Recomputes the slopes and offsets of both layers. Raises EMivoRChartError
  // "Logarithmic axis must not be negative." for a logarithmic axis with a
  // bound <= 0. Does nothing while loading.
  virtual void AdjustScaling();
  // World to pixel (control coordinates), layer clamped to 1 ... 2.
  void R2M(std::int32_t layer, double x, double y, std::int32_t& xpix, std::int32_t& ypix) const;
  // Pixel to world.
  void M2R(std::int32_t layer, std::int32_t xpix, std::int32_t ypix, double& x, double& y) const;
  long double Cpkx(std::int32_t layer) const { return FCpkx[LayerIx(layer)]; }
  long double Cpdx(std::int32_t layer) const { return FCpdx[LayerIx(layer)]; }
  long double Cpky(std::int32_t layer) const { return FCpky[LayerIx(layer)]; }
  long double Cpdy(std::int32_t layer) const { return FCpdy[LayerIx(layer)]; }
  // Extents of the items of one layer, widened by Margin percent and to at
  // least MinRange percent of the centre; four zeros without items.
  void LLCalcExtents(std::int32_t layer, double margin, double minRange, double& xmin, double& ymin, double& xmax,
                     double& ymax) const;
  // Extents of the item points strictly inside the window (layer 0: all layers).
  void LLCalcMinMax(std::int32_t layer, double xlo, double ylo, double xhi, double yhi, double& xmin, double& ymin,
                    double& xmax, double& ymax) const;
  void FindMinMax(std::int32_t layer, double xlo, double ylo, double xhi, double yhi, double& xmin, double& ymin,
                  double& xmax, double& ymax) const {
    LLCalcMinMax(layer, xlo, ylo, xhi, yhi, xmin, ymin, xmax, ymax);
  }
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;

  std::int32_t MarginLeft() const { return RcLRim; }
  std::int32_t MarginRight() const { return RcRRim; }
  std::int32_t MarginTop() const { return RcTRim; }
  std::int32_t MarginBottom() const { return RcBRim; }
  void SetLRim(std::int32_t v);
  void SetRRim(std::int32_t v);
  void SetTRim(std::int32_t v);
  void SetBRim(std::int32_t v);
  void SetMarginLeft(std::int32_t v) { SetLRim(v); }
  void SetMarginRight(std::int32_t v) { SetRRim(v); }
  void SetMarginTop(std::int32_t v) { SetTRim(v); }
  void SetMarginBottom(std::int32_t v) { SetBRim(v); }
  std::int32_t ShadowWidth() const { return F3DRim; }
  // Clamped to 0 ... 32.
  void SetF3DRim(std::int32_t v);
  void SetShadowWidth(std::int32_t v) { SetF3DRim(v); }
  bool Isometric() const { return FIsometric; }
  void SetIsoMetric(bool on);
  void SetIsometric(bool on) { SetIsoMetric(on); }
  TrcLayout StandardLayout() const { return FStdLayout; }
  void SetStdLayout(TrcLayout layout);
  void SetStandardLayout(TrcLayout layout) { SetStdLayout(layout); }
  std::int32_t PixelAspectX() const { return Fxasp; }
  std::int32_t PixelAspectY() const { return Fyasp; }
  // Size of the data bitmap: the data area, never negative.
  std::int32_t DataAreaWidth() const;
  std::int32_t DataAreaHeight() const;
  const TBitmap& GrafBmp() const { return FGrafBmp; }
  // The whole picture as last shown, without crosshairs.
  const TBitmap& ChartBmp() const;

  // ---- Frame settings (painted by the frame renderer) ----------------------
  TColor WindColor() const { return RcWindCol; }
  void SetWindCol(TColor c);
  void SetWindColor(TColor c) { SetWindCol(c); }
  TColor ChartColor() const { return RcChartCol; }
  void SetChartCol(TColor c);
  void SetChartColor(TColor c) { SetChartCol(c); }
  TColor ChartFrameColor() const { return FChartFrameCol; }
  void SetScaleCol(TColor c);
  void SetChartFrameColor(TColor c) { SetScaleCol(c); }
  TShadowStyle ShadowStyle() const { return RcShadowStyle; }
  void SetShadowStyle(TShadowStyle s);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor c);
  TColor ShadowBakColor() const { return RcShadowBakCol; }
  void SetShadowBakColor(TColor c);
  const std::string& Caption() const { return FChartCaption; }
  void SetChartCaption(const std::string& s);
  void SetCaption(const std::string& s) { SetChartCaption(s); }
  std::int32_t CaptionPosX() const { return FCaptPosX; }
  void SetCaptPosX(std::int32_t v);
  void SetCaptionPosX(std::int32_t v) { SetCaptPosX(v); }
  std::int32_t CaptionPosY() const { return FCaptPosY; }
  void SetCaptPosY(std::int32_t v);
  void SetCaptionPosY(std::int32_t v) { SetCaptPosY(v); }
  TAlignment CaptionAlignment() const { return FCaptAlignment; }
  void SetCaptAlignment(TAlignment a);
  void SetCaptionAlignment(TAlignment a) { SetCaptAlignment(a); }
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return FCaptAnchorX; }
  void SetCaptAnchorX(TCaptionAnchorHoriz a);
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz a) { SetCaptAnchorX(a); }
  TCaptionAnchorVert CaptionAnchorVert() const { return FCaptAnchorY; }
  void SetCaptAnchorY(TCaptionAnchorVert a);
  void SetCaptionAnchorVert(TCaptionAnchorVert a) { SetCaptAnchorY(a); }
  GridStyleType GridStyle() const { return RcGridStyle; }
  void SetGridStyle(GridStyleType s);
  TColor GridColor() const { return RcGridCol; }
  void SetGridCol(TColor c);
  void SetGridColor(TColor c) { SetGridCol(c); }
  double GridDx() const { return RcGridDx; }
  double GridDy() const { return RcGridDy; }
  // Values below -3 (and non-finite ones) are ignored.
  void SetGridDx(double v);
  void SetGridDy(double v);

  // ---- Mouse-related settings ----------------------------------------------
  TMouseActMode MouseAction() const { return RcMouseAction; }
  // A drag in progress ends (its figure erased) when the mode changes.
  void SetMouseAction(TMouseActMode m);
  bool MouseCursorFixed() const { return FMCurFixed; }
  void SetMouseCursorFixed(bool b) { FMCurFixed = b; }
  double PanGridDx() const { return FPanGridDx; }
  double PanGridDy() const { return FPanGridDy; }
  void SetPanGridDx(double v) { FPanGridDx = v; }
  void SetPanGridDy(double v) { FPanGridDy = v; }
  TColor MouseTraceColor() const { return FMTraceColor; }
  void SetMouseTraceColor(TColor c) { FMTraceColor = c; }
  bool MouseTraceInvert() const { return FMTraceInvert; }
  void SetMouseTraceInvert(bool b) { FMTraceInvert = b; }
  std::int32_t NumMTracePoints() const { return FNumMTrace; }
  // Empties the mouse trace and repaints.
  void ClearMouseTrace();
  TZoomState ZoomState() const { return FDrag.ZoomState; }
  TMouseBoxState MouseBoxState() const { return FDrag.MouseBoxState; }

  // ---- Mouse interaction (rchart_mouse*.cpp) --------------------------------
  using TSelectRectEvent =
      std::function<void(TObject& sender, std::int32_t layer, double x1, double y1, double x2, double y2)>;
  using TCrossHairMoveEvent = std::function<void(TObject& sender, TCrossHair& whichCrossHair)>;
  using TBeforeCrossHMoveEvent = std::function<void(TObject& sender, TCrossHair& whichCrossHair, std::int32_t dx,
                                                    std::int32_t dy, bool& allowMove)>;
  using TTextLabelMoveEvent = std::function<void(TObject& sender, TTextLabel& whichTextLabel)>;
  using TMouseMoveInChartEvent =
      std::function<void(TObject& sender, bool inChart, TShiftState shift, double rMousePosX, double rMousePosY)>;

  // Lets the user drag a box and returns its corners in world units of the
  // active layer (xLo <= xHi, yLo <= yHi). Runs the host's message loop until
  // the box is done; false when the user aborts with the right button, the
  // box is aborted, the host stops the loop, the chart is destroyed meanwhile,
  // or another MouseBox is already waiting.
  bool MouseBox(double& xLo, double& yLo, double& xHi, double& yHi);
  // Ends a waiting MouseBox (false) and a window drag; figures are erased.
  void MouseBoxAbort();
  // World coordinates of the last mouse position inside the data area.
  double GetMousePosX() const { return FDrag.MousePosX; }
  double GetMousePosY() const { return FDrag.MousePosY; }
  double MousePosX() const { return FDrag.MousePosX; }
  double MousePosY() const { return FDrag.MousePosY; }
  // Trace point idx (1-based); outside 1 ... NumMTracePoints its Flags are -1.
  TColoredPoint GetMTracePoint(std::int32_t idx) const;
  TColoredPoint MouseTrace(std::int32_t idx) const { return GetMTracePoint(idx); }
  // Draws the stored trace into the bitmap, a control pixel (x, y) landing on
  // (x + dx - MarginLeft, y + dy - MarginTop).
  void DrawMouseTrace(std::int32_t dx, std::int32_t dy, TBitmap& bmp);
  void DrawMouseTrace(std::int32_t dx, std::int32_t dy, TCanvas& canvas);
  // The wheel zooms both axes of the mouse-affected layers about the pointer
  // (off by default); one zoom-history entry per burst of wheel turns.
  bool MouseWheelZoom() const { return FMouseWheelZoom; }
  void SetMouseWheelZoom(bool b) { FMouseWheelZoom = b; }
  // Mouse-move messages also fire OnMouseMoveInChart (guarded against re-entry).
  void Dispatch(const TMessage& msg) override;

  TZoomPanEvent OnZoomPan;
  TSelectRectEvent OnRubberBand;
  TSelectRectEvent OnSelectRect;
  TBeforeCrossHMoveEvent OnBeforeCrossHairMove;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;
  TMouseMoveInChartEvent OnMouseMoveInChart;

  // ---- Crosshairs and text labels (rchart_crosshairs.cpp, rchart_text_labels.cpp)
  // Crosshair 1 ... 4 (clamped).
  TCrossHair& CrossHair(std::int32_t n);
  const TCrossHair& CrossHair(std::int32_t n) const;
  // Copies the settings of `ch` into crosshair n and redraws once.
  void SetCrossHair(std::int32_t n, const TCrossHair& ch);
  TCrossHair& CrossHair1() { return CrossHair(1); }
  TCrossHair& CrossHair2() { return CrossHair(2); }
  TCrossHair& CrossHair3() { return CrossHair(3); }
  TCrossHair& CrossHair4() { return CrossHair(4); }
  TCrossHair& GetCrossHair1() { return CrossHair(1); }
  TCrossHair& GetCrossHair2() { return CrossHair(2); }
  TCrossHair& GetCrossHair3() { return CrossHair(3); }
  TCrossHair& GetCrossHair4() { return CrossHair(4); }
  void SetCrossHair1(const TCrossHair& ch) { SetCrossHair(1, ch); }
  void SetCrossHair2(const TCrossHair& ch) { SetCrossHair(2, ch); }
  void SetCrossHair3(const TCrossHair& ch) { SetCrossHair(3, ch); }
  void SetCrossHair4(const TCrossHair& ch) { SetCrossHair(4, ch); }
  // Position of crosshair chnum; 0 outside 1 ... 4.
  double GetCHPosX(std::int32_t chnum) const;
  double GetCHPosY(std::int32_t chnum) const;
  double CrossHairPosX(std::int32_t chnum) const { return GetCHPosX(chnum); }
  double CrossHairPosY(std::int32_t chnum) const { return GetCHPosY(chnum); }
  // One coordinate / both; ignored outside 1 ... 4. A crosshair that is
  // shown is moved on the screen from the cached bitmaps (RefreshCrossHairs).
  void SetCHPosX(std::int32_t chnum, double value);
  void SetCHPosY(std::int32_t chnum, double value);
  void SetCrossHairPosX(std::int32_t chnum, double value) { SetCHPosX(chnum, value); }
  void SetCrossHairPosY(std::int32_t chnum, double value) { SetCHPosY(chnum, value); }
  void CrossHairSetPos(std::int32_t chnum, double x, double y);
  // Colour, mode, pen style and width of crosshair ch (ignored outside
  // 1 ... 4), then the crosshairs are drawn again.
  void CrossHairSetup(std::int32_t ch, TColor chColor, TCrossHMode mode, TPenStyle lineType, std::int32_t lineWidth);
  // Whether any crosshair is switched on.
  bool AnyCrossHairOn() const;
  // The crosshairs onto a surface whose top-left corner lies at control pixel
  // (dx, dy), crosshair 1 on top. Leaves pen and brush as they were; with all
  // crosshairs off the canvas is not touched.
  void DrawCrossHairs(std::int32_t dx, std::int32_t dy, TBitmap& bmp);
  void DrawCrossHairs(std::int32_t dx, std::int32_t dy, TCanvas& canvas);
  // Shows the cached picture with the crosshairs where they are now: the
  // chart bitmap's frame and the data bitmap go to the screen; no item is
  // rendered again (a full Paint when the bitmaps do not fit the control).
  void RefreshCrossHairs();

  // Text label 1 ... 30; any other index raises EMivoRChartError.
  TTextLabel& TextLabels(std::int32_t ix);
  const TTextLabel& TextLabels(std::int32_t ix) const;
  TTextLabel& GetFTextLabel(std::int32_t ix) { return TextLabels(ix); }
  // Copies the settings of `value` into label ix and redraws once; raises like TextLabels.
  void SetFTextLabel(std::int32_t ix, const TTextLabel& value);
  void SetTextLabels(std::int32_t ix, const TTextLabel& value) { SetFTextLabel(ix, value); }
  // Places txt in the first free label (mode 0), set up from label
  // propertyTemplate (1 ... 30; other values: the chart's defaults). Returns
  // the label's number, 0 when all 30 are taken.
  std::int32_t AddTextLabel(double posX, double posY, TColor txtColor, const std::string& txt,
                            std::int32_t propertyTemplate);
  // The same for label idx whatever its mode; ignored outside 1 ... 30.
  void SetTextLabel(std::int32_t idx, double posX, double posY, TColor txtColor, const std::string& txt,
                    std::int32_t propertyTemplate);
  // All 30 labels hidden / freed, then one repaint.
  void HideAllTextLabels();
  void ClearAllTextLabels();
  // The shown labels, 30 down to 1, onto the canvas of the data area; a
  // control pixel (x, y) lands on (x + offsetX - MarginLeft, y + offsetY - MarginTop).
  void DrawTextLabels(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY);

  // ---- Scales and settings (rchart_scales.cpp) ------------------------------
  // The settings of horizontal / vertical scale i (1 or 2, clamped).
  TScalePropsHoriz& ScalePropsX(std::int32_t i) { return *FScalePropsX[LayerIx(i)]; }
  const TScalePropsHoriz& ScalePropsX(std::int32_t i) const { return *FScalePropsX[LayerIx(i)]; }
  TScalePropsVert& ScalePropsY(std::int32_t i) { return *FScalePropsY[LayerIx(i)]; }
  const TScalePropsVert& ScalePropsY(std::int32_t i) const { return *FScalePropsY[LayerIx(i)]; }
  TScalePropsHoriz& Scale1X() { return ScalePropsX(1); }
  TScalePropsHoriz& Scale2X() { return ScalePropsX(2); }
  TScalePropsVert& Scale1Y() { return ScalePropsY(1); }
  TScalePropsVert& Scale2Y() { return ScalePropsY(2); }
  // Copy the given settings into the chart's own objects.
  void SetScale1X(const TScalePropsHoriz& p) { ScalePropsX(1).Assign(p); }
  void SetScale2X(const TScalePropsHoriz& p) { ScalePropsX(2).Assign(p); }
  void SetScale1Y(const TScalePropsVert& p) { ScalePropsY(1).Assign(p); }
  void SetScale2Y(const TScalePropsVert& p) { ScalePropsY(2).Assign(p); }
  // The internal scales (1 or 2, clamped) that draw the axes. They follow the
  // settings objects (SetScaleProps), never the other way: anything set on
  // them directly lasts until the settings next change or the chart draws.
  TScale& ScaleX(std::int32_t i) { return *FScalesX[LayerIx(i)]; }
  TScale& ScaleY(std::int32_t i) { return *FScalesY[LayerIx(i)]; }
  const TScale& ScaleX(std::int32_t i) const { return *FScalesX[LayerIx(i)]; }
  const TScale& ScaleY(std::int32_t i) const { return *FScalesY[LayerIx(i)]; }
  TJointLayers& JointLayers() { return *FJointLayers; }
  const TJointLayers& JointLayers() const { return *FJointLayers; }
  void SetJointLayers(const TJointLayers& j);
  TBakGndImg& BackGroundImg() { return *FBakGndImg; }
  const TBakGndImg& BackGroundImg() const { return *FBakGndImg; }
  void SetBackGroundImg(const TBakGndImg& b);

  // Copies one settings object into one internal scale.
  void SetScaleProps(TScale& scale, const TScaleProps& props);
  // OnChange of the four settings objects: scales follow, ranges re-applied.
  void ScalePropsChanged(TObject& sender);
  // Tick values (1-based, lowest first) and counts of the active layer's scales.
  double GetTickPosX(std::int32_t ix) const;
  double GetTickPosY(std::int32_t ix) const;
  std::int32_t GetTickPosXCnt() const;
  std::int32_t GetTickPosYCnt() const;
  double TickPosX(std::int32_t ix) const { return GetTickPosX(ix); }
  double TickPosY(std::int32_t ix) const { return GetTickPosY(ix); }
  std::int32_t TickNumX() const { return GetTickPosXCnt(); }
  std::int32_t TickNumY() const { return GetTickPosYCnt(); }
  void DoOnScaleTickDrawn(TObject& sender, TCanvas& canvas, TScaleType scaleType, double currentTickPos,
                          std::int32_t chartX, std::int32_t chartY);
  void DoOnBeforeTickLabel(TObject& sender, TScaleType scaleType, double currentTickPos, std::string& tickLabel);
  // The index-th "|"-separated field (1-based); index <= 0 gives "", an index
  // beyond the last field gives the last field.
  static std::string ExtractUserText(const std::string& text, std::int32_t index);
  // "&" in b stands for a; without "&", a is appended; an empty a gives "".
  static std::string AddScaleInscription(const std::string& a, const std::string& b);

  // ---- Ranges and zoom history (rchart_ranges.cpp) --------------------------
  // Sets the ranges of one layer (0: both), pushes the zoom history, redraws.
  void SetRange(std::int32_t layer, long double xLo, long double yLo, long double xHi, long double yHi);
  // A range for a layer and the layers joined to it.
  void ForceRange(std::int32_t layer, long double xLo, long double yLo, long double xHi, long double yHi,
                  bool pushZoomState, bool confine);
  // A range for exactly one layer: confinement, minimum width, the write.
  void ForceRngIntern(std::int32_t layer, long double xLo, long double yLo, long double xHi, long double yHi,
                      bool pushZoomState, bool confine);
  // Degenerate ranges widened, isometric correction, then ForceRange.
  void SetRangeIntern(std::int32_t layer, long double xLo, long double yLo, long double xHi, long double yHi,
                      bool pushZoomState, bool confine);
  void SetEqualRange(TLayerSet layers);
  void SetEqualRangeXOnly(TLayerSet layers);
  void SetEqualRangeYOnly(TLayerSet layers);
  void AutoRange(std::int32_t layer, double margin) { AutoRange(layer, margin, 0); }
  void AutoRange(std::int32_t layer, double margin, double minRange);
  void AutoRangeXOnly(std::int32_t layer, double margin) { AutoRangeXOnly(layer, margin, 0); }
  void AutoRangeXOnly(std::int32_t layer, double margin, double minRange);
  void AutoRangeYOnly(std::int32_t layer, double margin) { AutoRangeYOnly(layer, margin, 0); }
  void AutoRangeYOnly(std::int32_t layer, double margin, double minRange);
  // The confinement window in world units; all zero switches it off.
  void ConfineZoomRange(double xLo, double yLo, double xHi, double yHi);
  // Pushes the current ranges of both layers (not while loading).
  void ZoomStateOnStack();
  // Restores entry Index (-15 ... 0, 0 the most recent) and paints.
  void ZoomHistory(std::int32_t index);
  void ClearZoomHistory();
  // Entry StackIx (-15 ... 0) of a layer as (x low, y high, x high, y low);
  // zeros for other indices and layers.
  TRectDouble GetZoomStackEntry(std::int32_t layer, std::int32_t stackIx) const;
  TRectDouble ZoomStack(std::int32_t layer, std::int32_t stackIx) const { return GetZoomStackEntry(layer, stackIx); }
  std::int32_t ZoomStackPointer() const { return FZoomHistory.Pointer(); }

  // ---- Queries and edits (rchart_queries.cpp) -------------------------------
  std::int32_t FindNearestItemReal(double x, double y, TrcItem kind, std::uint8_t cls, double& dist) const;
  std::int32_t FindNearestItemScreen(double x, double y, TrcItem kind, std::uint8_t cls, double& dist) const;
  std::int32_t FindNearestItemAlongAxis(double pos, TAxis axis, TrcItem kind, std::uint8_t cls,
                                        double& dist) const;
  void MarkAllItems(TrcItem kind, std::uint8_t cls);
  std::int32_t MarkItemsInWindow(double x1, double y1, double x2, double y2, TrcItem kind, std::uint8_t cls);
  std::int32_t RemoveItemsByClass(std::uint8_t cls);
  std::int32_t RemoveItemsByLayer(std::int32_t layer);
  void RemoveItem(std::int32_t index);
  void RemoveLastItem();
  void RemoveFirstItem();
  TrcItem GetTypeOfFirstItem() const;
  TrcItem GetTypeOfLastItem() const;
  TrcItem TypeOfFirstItem() const { return GetTypeOfFirstItem(); }
  TrcItem TypeOfLastItem() const { return GetTypeOfLastItem(); }
  void ScaleItem(std::int32_t index, double factorX, double offsetX, double factorY, double offsetY);
  void ScaleAllItems(double factorX, double offsetX, double factorY, double offsetY);
  void ScaleSelectedItems(double factorX, double offsetX, double factorY, double offsetY, std::uint8_t cls);
  void NewColorOfClassItems(TColor color, std::uint8_t cls);
  TrcChartItem GetItemParams(std::int32_t index) const { return GetChartItem(index); }
  // Replaces an item and keeps the kind counts right; an item the list may
  // not hold (IsStorableItem: a kind that is not stored, a layer other than 1
  // or 2, a text longer than 15) is refused.
  void SetItemParams(std::int32_t index, const TrcChartItem& item);
  TLayerSet FindUsedLayers() const;

  // ---- Data files (rchart_datafile.cpp) -------------------------------------
  // Writes all items as 104-byte records through a temporary file renamed into
  // place; false (and the previous file untouched) when that fails.
  bool SaveData(const std::string& fileName);
  // Reads a file of records (appended or replacing the list); false, with the
  // list exactly as it was, for a missing, unreadable or invalid file.
  bool LoadData(const std::string& fileName, bool append);
  // Writes the text listing; raises EMivoError when the file cannot be written.
  void SaveDataASC(const std::string& fileName);

  // ---- Shared display lists (rchart_sharing.cpp) ----------------------------
  // Shows the display list of `chart` (null: leave the group, keeping the
  // items as a list of its own). Refusals are shown as information boxes and
  // change nothing. A user's owner is taken when `chart` is itself a user.
  void SetUseDataOf(TCustomRChart* chart);
  TCustomRChart* UseDataOf() const { return FUseDataOf; }
  // The charts that show this chart's display list, in the order they joined.
  std::int32_t DataUsersNum() const { return FDataUsersNum; }
  TCustomRChart* DataUsers(std::int32_t i) const;
  // True when this chart and `other` show the one display list.
  bool SharesDataWith(const TCustomRChart& other) const;

  // ---- Black and white (rchart_bw.cpp) ---------------------------------------
  // Saves the colour set and switches frame, background, fonts and scales to
  // black on white; nothing repaints. A descendant with colours of its own
  // saves and switches them too, after calling these.
  virtual void BackupColorsAndMakeBW();
  // Writes the saved colour set back; nothing repaints.
  virtual void ReloadBackupColors();

  // ---- Export and print (rchart_export.cpp) ----------------------------------
  // The whole control, or with DAOnly the data area, as a 32-bit bitmap;
  // `blkWhite` renders black on white with the items in monochrome.
  void CopyToBitmap(TBitmap& bmp, bool blkWhite) { CopyToBitmap(bmp, blkWhite, true); }
  void CopyToBitmap(TBitmap& bmp, bool blkWhite, bool includeCrossHairs);
  void CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite) { CopyToBitmapDAOnly(bmp, blkWhite, true); }
  void CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite, bool includeCrossHairs);
  // The same on the host's clipboard.
  void CopyToClipboard(bool blkWhite) { CopyToClipboard(blkWhite, true); }
  void CopyToClipboard(bool blkWhite, bool includeCrossHairs);
  void CopyToClipboardDAOnly(bool blkWhite) { CopyToClipboardDAOnly(blkWhite, true); }
  void CopyToClipboardDAOnly(bool blkWhite, bool includeCrossHairs);
  // A BMP file, whatever the name; the previous file stays when writing fails.
  void CopyToBMP(const std::string& fName, bool blkWhite);
  // A vector document, SVG or PDF by the name's extension (.svg, .pdf); any
  // other raises EMivoError naming the supported ones and writes nothing.
  void CopyToWMF(const std::string& fName, bool blkWhite);
  // The whole control as shown (colours, crosshairs), in the format the
  // extension names: .png, .bmp, .svg or .pdf; any other raises EMivoError
  // naming the supported ones and writes nothing. Descendants inherit it.
  void SaveToFile(const std::string& fileName);
  // The same at the resolution `dpi`: PNG and BMP are drawn as on a printer
  // of that resolution (text at its point size, lines scaled, the layout of
  // the screen; 96 is the screen picture); SVG and PDF are as without it. A
  // dpi that is not positive or too large for a bitmap raises EMivoError.
  void SaveToFile(const std::string& fileName, double dpi);
  // The vector document (SVG) on the clipboard.
  void CopyToClipboardWMF(bool blkWhite);
  // A print job of its own on the host's printer; scaleF 1 prints the
  // screen size at the printer's resolution, fonts keep their point size.
  void PrintIt(double scaleF, bool blkWhite);
  // Draws at (x, y) on the page of the printer's open job and returns in
  // x, y the pixel just below and right of the picture.
  void CopyToOpenPrinter(std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite);

  // Registers the published properties (once; called by the constructor).
  static void RegisterProperties();

  TRenderEvent OnScalesRendered;
  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;

 protected:
  void CreateWnd() override;
  // Paint's data-area stage: `grafBmp` (the data bitmap, already sized to the
  // data area; its content is kept when the size did not change) gets its
  // picture here. The chart clears it (InitGraf), renders grid and items
  // (ConstructDataBmp) and draws the mouse trace over them. A descendant
  // overrides it to leave the trace out, or to keep a cached image that it
  // rebuilds only when invalid; Paint then copies it into the chart bitmap and
  // finishes (crosshairs, screen) as always.
  virtual void PaintDataArea(TBitmap& grafBmp);
  // A setting that the data area's picture depends on has changed: a margin,
  // the shadow width, the chart colour or the frame colour. Called after the
  // value is stored and before the repaint; a descendant that keeps a cached
  // data image drops it here. The chart itself keeps no such image.
  virtual void DataAreaChanged() {}
  // Copies this chart's list reference and counts to the other charts of its
  // sharing group (rchart_sharing.cpp).
  virtual void AdjustCanInfoOfSharedCharts();
  bool IsLoading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }
  bool IsDesigning() const { return ComponentState().Contains(TComponentStateItem::csDesigning); }
  static std::size_t LayerIx(std::int32_t layer) { return layer <= 1 ? 0 : 1; }
  // Mouse hooks (rchart_mouse.cpp).
  void MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) override;
  void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) override;
  void DblClick() override;
  void MouseLeave() override;
  bool DoMouseWheel(TShiftState shift, std::int32_t wheelDelta, TPoint mousePos) override;
  void WMMouseMoveInChart(const TMessage& msg);
  void MouseMoveInChart(bool inChart, TShiftState shift, double rMousePosX, double rMousePosY);
  void DoZoomPanEvent();
  void DoRubberBandEvent(std::int32_t layer, double x1, double y1, double x2, double y2);
  void DoSelectRectEvent(std::int32_t layer, double x1, double y1, double x2, double y2);
  void DoCrossHMoveEvent(TCrossHair& crossHair);
  void DoTxtLblMoveEvent(TTextLabel& label);

 private:
  TChartSettings& Settings() { return *this; }
  const TChartSettings& Settings() const { return *this; }
  // Item store.
  // A new item with the drawing state and the coordinates; it is stored and
  // counted by CommitItem.
  TrcChartItem NewItem(TrcItem kind, double x, double y, double x2 = 0, double y2 = 0) const;
  // The same with the fill colour and, when `transp`, the transparency flag.
  TrcChartItem NewShape(TrcItem kind, double x, double y, double x2, double y2, bool transp) const;
  void CommitItem(const TrcChartItem& it);
  void ResetList();
  void GrowTo(std::int64_t slots);
  bool KindMatches(TrcItem selector, TrcItem kind) const;
  template <typename Keep>
  std::int32_t RemoveWhere(Keep keep);
  template <typename Pick>
  void ScaleWhere(double fx, double ox, double fy, double oy, Pick pick);
  // Mapping and layout helpers.
  void IsoCorrectLayer(std::int32_t layer);
  bool IsoHalfHeight(long double xLo, long double xHi, long double& half) const;
  void ResizeGrafBmp();
  void ApplyScaleMargins(bool left, bool right, bool top, bool bottom);
  void SetRim(std::int32_t& field, std::int32_t v, bool left, bool right, bool top, bool bottom);
  // Runs a change of margins, bounds or the isometric flag; when it raises,
  // puts those and the four scales' settings back as they were and passes
  // the error on.
  void KeepLayoutOnFailure(const std::function<void()>& change);
  template <typename T>
  void StoreAndRedraw(T& field, T value);
  // Scales.
  void SetupScales();
  void SetupScale(TScale& scale, TScaleProps& props, bool horizontal, std::int32_t i);
  // The internal scales of one layer (of both) take their settings objects'
  // values (SetScaleProps).
  void ScalesFollowSettings(std::int32_t layer);
  void ScalesFollowSettings();
  // Ranges.
  void ConfineAxis(long double& lo, long double& hi, long double zmin, long double zmax, bool panning) const;
  bool WriteAxis(TScaleProps& props, long double lo, long double hi);
  void AutoRangeAxes(std::int32_t layer, double margin, double minRange, bool doX, bool doY);
  void EqualRanges(TLayerSet layers, bool doX, bool doY);
  // Mouse helpers (rchart_mouse*.cpp).
  bool InDataArea(std::int32_t x, std::int32_t y) const;
  void ClampToDataArea(std::int32_t& x, std::int32_t& y) const;
  void RecordMouseAnchors(std::int32_t x, std::int32_t y);
  void MousePan(std::int32_t x, std::int32_t y);
  void MouseDragZoom(std::int32_t x, std::int32_t y);
  void MouseMoveWindow(std::int32_t& x, std::int32_t& y);
  void MouseWindowReleased(TMouseButton button);
  void MouseMoveCrossHair(std::int32_t x, std::int32_t y);
  void MouseMoveTextLabel(std::int32_t x, std::int32_t y);
  void MouseTraceStep(std::int32_t& x, std::int32_t& y);
  void SetMouseCursor(std::int32_t x, std::int32_t y);
  // The XOR figures on the control's canvas: the window drag's (line or
  // rectangle from the anchor to the old corner) and the mouse box's.
  void XorFigure(bool line, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  static void XorFigureOn(TCanvas& c, bool line, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // The figures shown now, drawn once more on `canvas` (a scaled picture).
  void DrawDragFigures(TCanvas& canvas);
  void XorWindowFigure();
  void XorMouseBoxFigure();
  // Draws the figures of drags in progress again after a paint wiped them.
  void RedrawDragFigures();
  void WheelZoom(std::int32_t wheelDelta, std::int32_t x, std::int32_t y);
  void EndWheelBurst() { FDrag.WheelBurst = false; }
  // Painting.
  // The background outside `covered` (control pixels the caller paints over
  // afterwards; empty covers nothing), then rims, scales and shadow.
  void DrawChartFrame(TCanvas& canvas, const TRect& covered = {});
  void DrawGrid(TCanvas& canvas, std::int32_t shiftX, std::int32_t shiftY);
  // Crosshairs and labels.
  void SetupTextLabel(TTextLabel& tl, double posX, double posY, TColor txtColor, const std::string& txt,
                      std::int32_t propertyTemplate);
  [[noreturn]] void RaiseTextLabelIndex() const;
  // Size and margins the cached bitmaps were last painted for.
  std::array<std::int32_t, 7> PictureGeometry() const;
  // The items from startItem on (rchart_items_render.cpp).
  void RenderItems(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY, bool mono, std::int32_t startItem);

  // The display list.
  detail::TItemBuffer FDataContainer;
  // The renderer's scratch for marks, made on first use.
  std::unique_ptr<detail::TMarkStamps> FMarkStamps;
  std::int32_t FNumChartItems = 0;
  std::int32_t FNumAllocated = 0;
  std::int32_t FAllocSize = kDefaultAllocSize;
  std::array<std::int32_t, kNumItemKinds> FItemCount{};
  std::int32_t FLastElemOnShow = 0;

  // The screen's pixel aspect (ResetComp) and the mapping (AdjustScaling).
  std::int32_t Fxasp = 36, Fyasp = 36;
  std::array<long double, 2> FCpkx{}, FCpdx{}, FCpky{}, FCpdy{};
  bool FSuppressPaint = true;

  // Mouse: the trace and the state of the drags.
  std::vector<TColoredPoint> FMTrace;
  std::int32_t FNumMTrace = 0;
  TMouseDragState FDrag;
  // Set while a mouse-move message is dispatched (no re-entry).
  bool MouseMoveActive = false;

  TZoomHistory FZoomHistory;

  // Owned sub-objects.
  // FChartBmp is the cached picture: its data area is a copy of FGrafBmp,
  // made when read (SyncChartBmp) since a paint shows both side by side.
  mutable TBitmap FChartBmp;
  TBitmap FGrafBmp, FAuxBmp;
  mutable bool FChartDataStale = false;
  TPoint FChartDataOrigin{0, 0};
  // The picture with the crosshairs on its way to the screen; the cached
  // bitmaps never hold crosshairs.
  TBitmap FOverlayBmp;
  std::array<std::int32_t, 7> FPaintedGeometry{-1, -1, -1, -1, -1, -1, -1};
  std::array<std::unique_ptr<TCrossHair>, kNumCrossHairs> FCrossHair;
  std::array<std::unique_ptr<TTextLabel>, kNumTextLabels> FTextLabels;
  std::array<std::unique_ptr<TScalePropsHoriz>, 2> FScalePropsX;
  std::array<std::unique_ptr<TScalePropsVert>, 2> FScalePropsY;
  std::array<std::unique_ptr<TScale>, 2> FScalesX, FScalesY;
  std::unique_ptr<TJointLayers> FJointLayers;
  std::unique_ptr<TBakGndImg> FBakGndImg;
  bool FConstructed = false;
  // Sharing (rchart_sharing.cpp).
  void TakeListOf(const TCustomRChart& from);
  void RemoveDataUser(TCustomRChart* user);
  void KeepListAsOwn();
  void LeaveSharing() noexcept;
  // Asks the other charts of the group to redraw (after ShowGraf).
  void RedrawSharingCharts();
  TCustomRChart* FUseDataOf = nullptr;
  std::array<TCustomRChart*, kMaxDataUsers> FDataUsers{};
  // Lives exactly as long as the chart: a walk that runs the host's handlers
  // holds a weak reference to see whether the chart is still there.
  std::shared_ptr<const char> FLifeToken = std::make_shared<const char>('\0');
  std::int32_t FDataUsersNum = 0;
  // Black and white (rchart_bw.cpp).
  TColor ColBakWindow = 0, ColBakFrame = 0, ColBakChart = 0, ColBakFont = 0, ColBakShadow = 0,
         ColBakShadowBgnd = 0;
  std::array<TColor, 2> ColBakScalesX{}, ColBakScalesY{}, ColBakSclFontX{}, ColBakSclFontY{};
  // Export (rchart_export.cpp): the picture composed as Paint composes it,
  // the whole control or the data area.
  void RenderExportBitmap(TBitmap& bmp, bool dataAreaOnly, bool blkWhite, bool includeCrossHairs);
  // The whole control at (x, y) on `page` of `pageSize`, scaled by `f` as
  // printing draws it; x, y move to its bottom-right corner. `screen` adds
  // the mouse trace and the drag figures.
  void DrawScaledPicture(TCanvas& page, TSize pageSize, std::int32_t& x, std::int32_t& y, double f, bool blkWhite,
                         bool screen = false);
  // The crosshairs of an export when includeCrossHairs; (x, y) is the
  // canvas' position in the control, as DrawFinish takes it.
  void ExportCrossHairs(TCanvas& canvas, std::int32_t x, std::int32_t y, bool includeCrossHairs);
  // ShowGrafNewOnly's items from `startItem` on the picture at the device
  // scale; false when that picture cannot take them (it is out of date, or
  // crosshairs or drag figures lie over the data) and needs a paint.
  bool ShowNewOnScaledPicture(bool wasCurrent, std::int32_t startItem);
  // Set while ShowGrafNewOnly renders: the grid stays under the items.
  bool FSkipGrid = false;
};

// UTF-8 text as the item text: Windows-1252 bytes (unmappable characters
// become '?'), cut to the first 15 characters.
TrcItemText ToItemText(const std::string& utf8);

}  // namespace mivo
MIVO_PUBLIC_END
