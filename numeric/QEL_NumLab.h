/// \file
/// QEL_NumLab: TNumLab, a read-only framed label showing one number, with a
/// text on either side.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Display types (p = Precision, 0 to 15; texts for a point as separator):
///   dtFloat      general form, p significant digits: fixed point while the
///                whole part has at most p digits and the magnitude is at
///                least 0.00001, else scientific (1234.5, p 2: "1.2E+003")
///   dtFixP       fixed point with p decimals ("1234.57")
///   dtExp        scientific with p digits in all ("1.23E+003")
///   dtInt        the nearest integer, ties to even ("-12")
///   dtZeroInt    the nearest integer padded with zeros to p digits (p 4: "-0042")
///   dtHex, dtOct, dtBin
///                the nearest integer in base 16, 8 or 2, upper case, without
///                prefix; negative values in 64-bit two's complement
///                (-1: "FFFFFFFFFFFFFFFF")
///   dtDateTime   Value as a date-time serial formatted with DTFormat
///                (FormatDateTime; initially "mmm-dd, yyyy")
///   dtState      StateText, whatever the value (never replaced for overflow)
///   dtDeg        degrees with p decimals ("12.50°")
///   dtDegMin     whole degrees and minutes with p decimals ("12°30.00'")
///   dtDegMinSec  whole degrees and minutes, seconds with p decimals
///                ("12°30'15.0\""). Minutes and seconds have two whole
///                digits; the value is rounded once at the last field, so
///                59.9999 minutes with p 2 show as the next degree, "13°00.00'".
///   dtEEng       engineering: p significant digits, the exponent a multiple
///                of 3 ("12.3E+003"); whole digits beyond p are zeros
///   dtEEngNoDP   engineering with a whole mantissa of 1 to 3 digits and no
///                point ("12E+003"; 999.6 gives "1E+003"); p is not used
/// With p 0 the general, scientific and engineering forms show one digit.
/// Fixed forms show at most 15 significant digits, all a double holds.
/// Non-finite values show "NAN", "INF" or "-INF". A value the type cannot
/// show (an integer outside 64 bits, a date outside the years 1 to 9999)
/// shows the OverflowIndicator.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// The value text, on every paint: the type's form with the platform's
/// decimal separator; then, except for hexadecimal, binary, date-time and
/// state, every "." or "," becomes the separator Comma chooses and
/// ForcePlusSign puts "+" before a positive value; then OnBeforeDisplay may
/// change it; a text wider than LabelWidth - 6 pixels is replaced by the
/// OverflowIndicator (except for dtState). Empty shows no value text at all.
///
/// Layout: the box spans x = LeftSpace + 1 to LeftSpace + LabelWidth and
/// y = 0 to Height - 2; the side texts sit left and right of it. Every text's
/// top is at (Height - TH) div 2, TH being the height of "(8g]}ÜÄ§".
///
/// Transparent: the ground outside the box is the parent's. The picture is
/// ANDed onto the parent, so while Transparent every repaint is an
/// invalidation (the parent paints first); the box itself stays opaque.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "numeric/NumLabText.h"
#include "platform/controls/Controls.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Fires on every paint with the value text; the text the handler leaves is shown.
using TBeforeDisplayEvent = std::function<void(TObject* Sender, std::string& Text)>;

/// A read-only framed label showing one number in one of many forms (fixed, scientific, engineering, hexadecimal, date-time, degrees, ...), with a text on either side.
///
/// From examples/panel/main.cpp (`qel-panel`):
/// \snippet panel/main.cpp readout
/// \image html displays.png "The gallery's page Displays"
class TNumLab : public TGraphicControl {
 public:
  /// A label showing 0.00 in a 80 pixel box.
  explicit TNumLab(TComponent* AOwner);
  /// Frees the off-screen picture.
  ~TNumLab() override;

  // --- the value and its text ---
  /// The number shown; repaints.
  ///@{
  double GetValue() const { return value_; }
  void SetValue(double v) { Apply(value_, v); }
  ///@}
  /// The form of the value text (see TDisplay).
  ///@{
  TDisplay GetDisplayType() const { return format_.Type; }
  void SetDisplayType(TDisplay v) { Apply(format_.Type, v); }
  ///@}
  /// Digits of the value text, 0..15 (what they count depends on the display type).
  int GetPrecision() const { return format_.Precision; }
  /// Negative values are ignored; at most 15.
  void SetPrecision(int v);
  /// Whether the decimal separator is a comma rather than a point.
  ///@{
  bool GetComma() const { return format_.Comma; }
  void SetComma(bool v) { Apply(format_.Comma, v); }
  ///@}
  /// Whether a positive value gets a "+".
  ///@{
  bool GetForcePlusSign() const { return format_.ForcePlusSign; }
  void SetForcePlusSign(bool v) { Apply(format_.ForcePlusSign, v); }
  ///@}
  /// Whether the box shows no value text at all.
  ///@{
  bool GetEmpty() const { return empty_; }
  void SetEmpty(bool v) { Apply(empty_, v); }
  ///@}
  /// Format of dtDateTime (as FormatDateTime reads it).
  ///@{
  const std::string& GetDTFormat() const { return format_.DTFormat; }
  void SetDTFormat(const std::string& v) { Apply(format_.DTFormat, v); }
  ///@}
  /// Text shown by dtState.
  ///@{
  const std::string& GetStateText() const { return format_.StateText; }
  void SetStateText(const std::string& v) { Apply(format_.StateText, v); }
  ///@}
  /// Text shown when the value does not fit the box or the type.
  ///@{
  const std::string& GetOverflowIndicator() const { return format_.OverflowIndicator; }
  void SetOverflowIndicator(const std::string& v) { Apply(format_.OverflowIndicator, v); }
  ///@}

  // --- layout ---
  /// Pixels from the left edge to the box.
  int GetLeftSpace() const { return leftSpace_; }
  /// Negative values are ignored; at most Width.
  void SetLeftSpace(int v);
  /// Width of the box in pixels.
  ///@{
  int GetLabelWidth() const { return labelWidth_; }
  void SetLabelWidth(int v) { Apply(labelWidth_, v); }
  ///@}
  /// Captions left and right of the box.
  ///@{
  const std::string& GetLeftText() const { return leftText_; }
  void SetLeftText(const std::string& v) { Apply(leftText_, v); }
  const std::string& GetRightText() const { return rightText_; }
  void SetRightText(const std::string& v) { Apply(rightText_, v); }
  ///@}
  /// Alignment of the value text in the box.
  ///@{
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v) { Apply(alignment_, v); }
  ///@}
  /// Alignment of each caption.
  ///@{
  TAlignment GetLeftTextAlignment() const { return leftTextAlignment_; }
  void SetLeftTextAlignment(TAlignment v) { Apply(leftTextAlignment_, v); }
  TAlignment GetRightTextAlignment() const { return rightTextAlignment_; }
  void SetRightTextAlignment(TAlignment v) { Apply(rightTextAlignment_, v); }
  ///@}
  /// Style of the box's frame.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { Apply(frameStyle_, v); }
  ///@}

  // --- colours and look ---
  /// Colours of the box and its value text.
  ///@{
  TColor GetColorLabBakG() const { return colorLabBakG_; }
  void SetColorLabBakG(TColor v) { Apply(colorLabBakG_, v); }
  TColor GetColorLabText() const { return colorLabText_; }
  void SetColorLabText(TColor v) { Apply(colorLabText_, v); }
  ///@}
  /// Colours around the box and of the captions.
  ///@{
  TColor GetColorOutBakG() const { return colorOutBakG_; }
  void SetColorOutBakG(TColor v) { Apply(colorOutBakG_, v); }
  TColor GetColorOutText() const { return colorOutText_; }
  void SetColorOutText(TColor v) { Apply(colorOutText_, v); }
  ///@}
  /// Colour scheme of the frame's edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// Whether the parent shows through around the box.
  bool GetTransparent() const { return transparent_; }
  /// Invalidates, so the parent repaints underneath.
  void SetTransparent(bool v) { Apply(transparent_, v, TRefresh::Invalidate); }
  /// Stores, then refreshes even when unchanged.
  /// Greys the texts.
  void SetEnabled(bool v) override;

  /// Fired on every paint with the value text, which the handler may change.
  ///@{
  TBeforeDisplayEvent OnBeforeDisplay;
  ///@}

  /// From another TNumLab: LeftSpace, Empty, LabelWidth, Precision, the side
  /// texts, FrameStyle, the three alignments, OverflowIndicator, Value,
  /// StateText, Transparent, the four colours with the edge colours and
  /// ColorScheme, and DisplayType; then repaints. Comma, ForcePlusSign,
  /// DTFormat, Enabled and the events stay.
  void Assign(TPersistent* Source) override;
  /// Draws the box, the value text and the captions.
  void Paint() override;

 protected:
  /// Fills another TNumLab from this one.
  void AssignTo(TPersistent* Dest) override;

 private:
  enum class TRefresh : uint8_t { Repaint, Invalidate };
  // Every setter stores through here: a different value only, then the
  // refresh (a repaint is an invalidation while Transparent).
  template <class T>
  void Apply(T& Field, const T& Value, TRefresh Refresh = TRefresh::Repaint) {
    if (Field == Value) return;
    Field = Value;
    ShowChange(Refresh);
  }
  void ShowChange(TRefresh Refresh);
  class TPainter;

  double value_ = 0.0;
  numlab::TValueFormat format_;
  bool empty_ = false;
  int leftSpace_ = 35, labelWidth_ = 80;
  std::string leftText_, rightText_;
  TAlignment alignment_ = taCenter, leftTextAlignment_ = taRightJustify, rightTextAlignment_ = taLeftJustify;
  TFrameStyle frameStyle_ = fsLowered;
  TColor colorLabBakG_ = clBtnFace, colorLabText_ = clBlack, colorOutBakG_ = clBtnFace, colorOutText_ = clBlack;
  TSchemeColors scheme_;
  bool transparent_ = false;
  std::unique_ptr<TBitmap> buffer_;
};

QEL_API_END
}  // namespace qel
