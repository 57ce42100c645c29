/// \file
/// QEL_gradfl: TGradFill, an area filled with a stepped colour gradient of
/// NrColors bands, optionally gridded and framed; OnPaint draws on top.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Bands. Band k of N covers MulDiv(k, S, N) .. MulDiv(k + 1, S, N) - 1 along
/// the banding axis (S the height for the horizontal types, the width for the
/// vertical ones; MulDiv rounds halves away from zero). Each channel of band k:
///   gtHoriz, gtVert            C0 + MulDiv(k, D, N)   (C0 alone when N = 1), so
///                              the last band stops one step short of ColorLast
///   gtMidBand*, M = N div 2    C0 + MulDiv(k, D, M)          for k <= M
///                              C0 + MulDiv(N - k - 1, D, M)  for k > M
///                              with N = 1 the single band is ColorFirst
/// C0 is the channel of ColorFirst, D the signed difference to ColorLast.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Grid. The area is divided into N equal steps along each axis the grid mode
/// names, and a one-pixel line in GridColor is drawn on the first pixel row
/// (gmHoriz) or column (gmVert) of every step but the first: on the band
/// borders along the banding axis, at the same pitch across it. The frame is
/// drawn over the grid.
#pragma once
#include <cstdint>

#include "framework/QEL_Base.h"
#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Horizontal bands (colour running top to bottom) or vertical ones (left to right); the MidBand types run to the middle band and back.
enum TGradType : uint8_t { gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert };
/// Which grid lines are drawn over the bands.
enum TGridMode : uint8_t { gmNone, gmHoriz, gmVert, gmBoth };

// The band arithmetic, free of any control (tests use it too).
namespace gradfill {
/// Band K of N along an axis of Size pixels: [first, last + 1).
int BandStart(int K, int N, int Size);
/// The colour of band K of N (system colours resolved).
TColor BandColor(TGradType Type, int K, int N, TColor First, TColor Last);
}  // namespace gradfill

/// An area filled with a stepped colour gradient of NrColors bands, optionally gridded and framed.
///
/// From examples/labels/main.cpp (`qel-labels`):
/// \snippet labels/main.cpp fill
/// \image html labels-and-fills.png "The gallery's page Labels and fills"
class TGradFill : public TGraphicControl {
 public:
  /// Sixteen bands from maroon to yellow, top to bottom.
  explicit TGradFill(TComponent* AOwner);

  /// Colours of the first and last band; repaint.
  ///@{
  TColor GetColorFirst() const { return colorFirst_; }
  void SetColorFirst(TColor v);
  TColor GetColorLast() const { return colorLast_; }
  void SetColorLast(TColor v);
  ///@}
  /// Swaps which of the two kept colours shows as first and as last.
  ///@{
  bool GetColorFlipped() const { return colorFlipped_; }
  void SetColorFlipped(bool v);
  ///@}
  /// Direction of the gradient.
  ///@{
  TGradType GetFillType() const { return fillType_; }
  void SetFillType(TGradType v);
  ///@}
  /// Number of bands.
  ///@{
  int GetNrColors() const { return nrColors_; }
  void SetNrColors(int v);  ///< Clamped to 1..255
  ///@}
  /// Style of the frame; invalidates.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { SetProperty(frameStyle_, v, TRefresh::Invalidate, TStore::Always); }
  ///@}
  /// Which grid lines are drawn; invalidates.
  ///@{
  TGridMode GetGridMode() const { return gridMode_; }
  void SetGridMode(TGridMode v) { SetProperty(gridMode_, v, TRefresh::Invalidate, TStore::Always); }
  ///@}
  /// Colour of the grid lines; invalidates.
  ///@{
  TColor GetGridColor() const { return gridColor_; }
  void SetGridColor(TColor v) { SetProperty(gridColor_, v, TRefresh::Invalidate, TStore::Always); }
  ///@}

  /// Fired after every paint, with the control's canvas ready to draw on.
  TNotifyEvent OnPaint;

  /// Bands, grid and frame onto Bitmap (of the control's size).
  void DrawGradient(TBitmap& Bitmap) const;
  /// The same onto a canvas, for a fill W x H; only its clip is touched.
  void DrawGradient(TCanvas& Canvas, int W, int H) const;

 protected:
  /// Draws the gradient, then fires OnPaint.
  void Paint() override;

 private:
  void DrawGrid(TCanvas& Canvas, int W, int H) const;

  TColor colorFirst_ = clMaroon, colorLast_ = clYellow;
  TColor kept_[2] = {clMaroon, clYellow};  // first and last as set while not flipped
  bool colorFlipped_ = false;
  TGradType fillType_ = gtHoriz;
  int nrColors_ = 16;
  TFrameStyle frameStyle_ = fsNone;
  TGridMode gridMode_ = gmNone;
  TColor gridColor_ = clNavy;
};

QEL_API_END
}  // namespace qel
