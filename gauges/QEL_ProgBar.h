/// \file
/// QEL_ProgBar: TProgBar, a bar that shows a value between Min and Max in one
/// colour or as a gradient from a 1024-entry colour table, over a background
/// colour or a stretched image, with a grid, two frames and a rotated value
/// text; it can advance its value by itself on a timer.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Geometry. The bar area is L = MarginLeft, T = MarginTop, R = Width -
/// MarginRight, B = Height - MarginBottom (right and bottom exclusive). The
/// bar is n = round(Inner * (Value - Min) / (Max - Min)) pixels long, Inner
/// being the bar area's length along the bar; it starts at the area's edge
/// given by Direction and may run past the area when Value exceeds Max.
///   Direction 3 (dirRight) columns L .. L+n-1      grid columns L, L+d, ... <= L+n
///   Direction 2 (dirLeft)  columns R-1 .. R-n      grid columns R-1, R-1-d, ... >= R-1-n
///   Direction 0 (dirUp)    rows B-1 .. B-n         grid rows B-1, B-1-d, ... >= B-n
///   Direction 1 (dirDown)  rows T .. T+n-1         grid rows T, T+d, ... <= T+n-1
/// 1 and 2 are the mirror images of 3 and 0. Min = Max, NaN and a value below
/// Min give an empty bar; drawing work is bounded by the control's pixels,
/// however far the value lies outside the range.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Gradient (ShowColorGradient): the e-th pixel line from the bar's root takes
/// table entry k (detail/ProgBarMath.h): cgmCover fixes each colour to its place on
/// the full scale, cgmStretch squeezes the table into the bar, cgmMove keeps
/// ColorMax at the tip. One table lookup per pixel line.
///
/// Automatic increment (timer 1 on the bar's own message window): with
/// AutoInc on, Value grows by AutoIncStep after StartInterval, then every
/// RepeatInterval, firing OnAutoInc each time. No timer in design mode; a
/// refused timer raises EQELProgBar and the property keeps its new value.
///
/// Sections: types; TProgBar (properties, range, colours, text, timer,
/// painting, lifecycle).
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "gauges/detail/ProgBarMath.h"
#include "platform/controls/Controls.h"
#include "platform/controls/TimerWindow.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Raised when the automatic increment cannot get its timer.
QEL_EXCEPTION(EQELProgBar, EQELError)

/// How the colour table maps onto the bar: fixed to the scale (cgmCover),
/// stretched over the bar (cgmStretch), or moving with its tip (cgmMove).
enum TColorMapping : uint8_t { cgmCover, cgmStretch, cgmMove };

/// Fired before the value text is drawn; the text the handler leaves is drawn.
using TBeforeShowValueEvent = std::function<void(TObject* Sender, std::string& ValueText)>;

/// A progress bar in one colour or a colour gradient, with grid, frames, background picture, rotated value text and an optional automatic increment.
///
/// From examples/dashboard/main.cpp (`qel-dashboard`):
/// \snippet dashboard/main.cpp bar
/// \image html bars-and-buttons.png "The gallery's page Bars and buttons"
class TProgBar : public TGraphicControl {
 public:
  /// A bar from 0 to 100 at 10, growing to the right.
  explicit TProgBar(TComponent* AOwner);
  /// Stops the timer.
  ~TProgBar() override;

  // --- value and range (none clamped against the others) ---
  /// The value the bar shows; not clamped (a value past Max runs past the bar area). Repaints.
  ///@{
  double GetValue() const { return value_; }
  void SetValue(double v) { SetProperty(value_, v, TRefresh::Paint); }
  ///@}
  /// Value at the bar's root.
  ///@{
  double GetMin() const { return min_; }
  void SetMin(double v) { SetProperty(min_, v, TRefresh::Paint); }
  ///@}
  /// Value that fills the bar area.
  ///@{
  double GetMax() const { return max_; }
  void SetMax(double v) { SetProperty(max_, v, TRefresh::Paint); }
  ///@}
  /// Min becomes the smaller and Max the larger of A and B.
  void SetRange(double A, double B);
  /// Which way the bar grows from its root.
  ///@{
  TDirection GetDirection() const { return direction_; }
  void SetDirection(TDirection v) { SetProperty(direction_, v, TRefresh::Paint); }
  ///@}

  // --- colours ---
  /// Entries 0 and 1023 of the colour table; setting either blends 1..1022.
  ///@{
  TColor GetColorMin() const { return table_[0]; }
  void SetColorMin(TColor v);
  TColor GetColorMax() const { return table_[progbar::kTableSize - 1]; }
  void SetColorMax(TColor v);
  ///@}
  /// One entry 0..1023 (others: 0, or ignored); writing does not repaint.
  ///@{
  TColor GetBarColorElem(int Index) const;
  void SetBarColorElem(int Index, TColor Color);
  ///@}
  /// Whether the bar is drawn as a gradient through the colour table rather than in ColorMax.
  ///@{
  bool GetShowColorGradient() const { return showColorGradient_; }
  void SetShowColorGradient(bool v) { SetProperty(showColorGradient_, v, TRefresh::Paint); }
  ///@}
  /// How the gradient maps onto the bar: cover, stretch or move.
  ///@{
  TColorMapping GetColorMapMode() const { return colorMapMode_; }
  void SetColorMapMode(TColorMapping v) { SetProperty(colorMapMode_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the bar area the bar does not cover.
  ///@{
  TColor GetColorBackGnd() const { return colorBackGnd_; }
  void SetColorBackGnd(TColor v) { SetProperty(colorBackGnd_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the margins around the bar area.
  ///@{
  TColor GetColorMargin() const { return colorMargin_; }
  void SetColorMargin(TColor v) { SetProperty(colorMargin_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the grid lines.
  ///@{
  TColor GetColorGrid() const { return colorGrid_; }
  void SetColorGrid(TColor v) { SetProperty(colorGrid_, v, TRefresh::Paint); }
  ///@}
  /// Grid spacing in pixels; a grid is drawn only above 1.
  ///@{
  int GetGridDist() const { return gridDist_; }
  void SetGridDist(int v) { SetProperty(gridDist_, v, TRefresh::Paint); }
  ///@}

  // --- margins, frames, background image ---
  /// Margins between the frame and the bar area in pixels.
  ///@{
  int GetMarginLeft() const { return marginLeft_; }
  void SetMarginLeft(int v) { SetProperty(marginLeft_, v, TRefresh::Paint); }
  int GetMarginRight() const { return marginRight_; }
  void SetMarginRight(int v) { SetProperty(marginRight_, v, TRefresh::Paint); }
  int GetMarginTop() const { return marginTop_; }
  void SetMarginTop(int v) { SetProperty(marginTop_, v, TRefresh::Paint); }
  int GetMarginBottom() const { return marginBottom_; }
  void SetMarginBottom(int v) { SetProperty(marginBottom_, v, TRefresh::Paint); }
  ///@}
  /// Styles of the outer frame (around the control) and the inner frame (around the bar area).
  ///@{
  TFrameStyle GetFrameStyleOuter() const { return frameStyleOuter_; }
  void SetFrameStyleOuter(TFrameStyle v) { SetProperty(frameStyleOuter_, v, TRefresh::Paint); }
  TFrameStyle GetFrameStyleInner() const { return frameStyleInner_; }
  void SetFrameStyleInner(TFrameStyle v) { SetProperty(frameStyleInner_, v, TRefresh::Paint); }
  ///@}
  /// Colour scheme of the frames' light and dark edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// A PNG or BMP file stretched over the bar area. A file that cannot be
  /// loaded is ignored (the name stays as it was); an empty name clears it.
  ///@{
  const std::string& GetBackGroundImg() const { return backGroundImg_; }
  void SetBackGroundImg(const std::string& FileName);
  ///@}

  // --- value text ---
  /// Whether the value text is drawn.
  ///@{
  bool GetTextVisible() const { return textVisible_; }
  void SetTextVisible(bool v) { SetProperty(textVisible_, v, TRefresh::Paint, TStore::Always); }
  ///@}
  /// -2..10: decimals, or -1 / -2 for the two scientific forms.
  ///@{
  int GetTextDecPlaces() const { return textDecPlaces_; }
  void SetTextDecPlaces(int v);
  ///@}
  /// Which point of the text lies at (TextPosX, TextPosY).
  ///@{
  TAlignment GetTextAlignment() const { return textAlignment_; }
  void SetTextAlignment(TAlignment v) { SetProperty(textAlignment_, v, TRefresh::Paint); }
  ///@}
  /// 0..Width and 0..Height at the time of setting.
  /// Position of the text in pixels, clamped to 0..Width and 0..Height when set.
  ///@{
  int GetTextPosX() const { return textPosX_; }
  void SetTextPosX(int v);
  int GetTextPosY() const { return textPosY_; }
  void SetTextPosY(int v);
  ///@}
  /// 0..360 degrees, counter-clockwise.
  ///@{
  int GetTextAngle() const { return textAngle_; }
  void SetTextAngle(int v);
  ///@}
  /// See TBeforeShowValueEvent.
  TBeforeShowValueEvent OnShowValue;

  // --- automatic increment ---
  /// Whether the value grows by AutoIncStep on a timer (never in design mode); raises EQELProgBar when no timer is free.
  ///@{
  bool GetAutoInc() const { return autoInc_; }
  void SetAutoInc(bool v);
  ///@}
  /// Added to Value on every tick; zero and non-finite steps are refused.
  ///@{
  double GetAutoIncStep() const { return autoIncStep_; }
  void SetAutoIncStep(double v);
  ///@}
  /// Milliseconds before the first step and between later steps; at least 10.
  ///@{
  int GetStartInterval() const { return startInterval_; }
  void SetStartInterval(int v);
  int GetRepeatInterval() const { return repeatInterval_; }
  void SetRepeatInterval(int v);
  ///@}
  /// Fired after each automatic step.
  ///@{
  const TNotifyEvent& GetOnAutoInc() const { return onAutoInc_; }
  void SetOnAutoInc(TNotifyEvent v);
  ///@}

  /// Copies look, range, value, colour table, background (name and picture),
  /// text settings and OnShowValue from another TProgBar, then repaints; the
  /// automatic increment is not copied.
  void Assign(TPersistent* Source) override;
  /// Draws the whole bar off screen and copies it in one step.
  void Paint() override;

 protected:
  /// Fills another TProgBar from this one.
  void AssignTo(TPersistent* Dest) override;

 private:
  class TPainter;
  friend class TPainter;
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  // Timer steps: arm the start interval (marking the first tick pending) or
  // the repeat interval; either only kills the timer while AutoInc is off.
  void StartTimer();
  void RestartTimer();
  void Arm(int Interval);
  void Tick();

  double value_ = 10.0, min_ = 0.0, max_ = 100.0;
  TDirection direction_ = dirRight;
  progbar::TColorTable table_{};
  bool showColorGradient_ = false;
  TColorMapping colorMapMode_ = cgmStretch;
  TColor colorBackGnd_ = clSilver, colorMargin_ = clSilver, colorGrid_ = clBlack;
  int gridDist_ = 0;
  int marginLeft_ = 4, marginRight_ = 4, marginTop_ = 4, marginBottom_ = 4;
  TFrameStyle frameStyleOuter_ = fsRaised, frameStyleInner_ = fsLowered;
  TSchemeColors scheme_;
  std::string backGroundImg_;
  bool textVisible_ = true;
  int textDecPlaces_ = 0;
  TAlignment textAlignment_ = taCenter;
  int textPosX_ = 14, textPosY_ = 14, textAngle_ = 0;
  bool autoInc_ = false;
  double autoIncStep_ = 1.0;
  int startInterval_ = 1500, repeatInterval_ = 700;
  TNotifyEvent onAutoInc_;
  bool firstTickPending_ = true;
  std::unique_ptr<TBitmap> backgroundBmp_;
  std::unique_ptr<TBitmap> buffer_;  // the off-screen picture, kept between paints
  TTimerWindow timer_;  // last, so it goes first: no tick outlives what it uses
};

QEL_API_END
}  // namespace qel
