/// \file
/// Unit QEL_NumIO: the number-text codec shared by the numeric inputs, the
/// edit-based numeric field TNumIO and the custom-drawn field TNumIO2 with
/// spin buttons, an inline gauge and its own blinking caret.
///
/// Sections: the codec (formats, validators, scanners, writers); TNumIO;
/// TNumIO2.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/QEL_Base.h"
#include "platform/controls/TimerWindow.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/TextLayout.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

// ------------------------------------------------------------ the codec ----
// Free functions without state that never raise. Texts are byte strings,
// positions 1-based. The scanners clamp a position outside 1..length + 1 into
// that range first and always leave it within it.

/// How a numeric field reads and writes its number: exponent, float, fixed point, integer, hexadecimal, octal, binary, or chosen by a prefix of the text (itDynamic).
enum TInFormat : uint8_t { itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic };

/// The separator mode the validators and ScanFloat use: the system's separator
/// (dsSystem) becomes the point when that is '.', else the comma.
TDecPSep ResolveTypingSepMode(TDecPSep Mode);
/// Whether C is the decimal separator in Mode (1 '.', 2 ',', 3 either).
bool IsDecimalSep(char C, TDecPSep Mode);
/// The 1-based position of the first separator of Mode at or after From, 0
/// when there is none.
int DecimalSepPos(const std::string& Text, TDecPSep Mode, int From = 1);
/// A writer's text (always with a point) as a field in the resolved Mode
/// shows it: the comma for dsComma, the point for dsPoint and dsBoth.
std::string WithDecimalSep(std::string Text, TDecPSep Mode);
/// The format an itDynamic text stands in: '$' itHex, '%' itBin, '&' itOct,
/// anything else (the empty text too) itExp. The prefix is no digit.
TInFormat DynamicFormatOf(const std::string& Text);
/// Whether Text starts with one of itDynamic's prefixes '$', '%' or '&'.
bool HasDynamicPrefix(const std::string& Text);

/// Whether Text is a whole number of the kind (blanks, separators and signs as the field accepts them).
///@{
bool IsValidExpStr(const std::string& Text, bool ExponentAllowed, TDecPSep SepMode);
bool IsValidFloatStr(const std::string& Text, TDecPSep SepMode);
bool IsValidIntStr(const std::string& Text);
bool IsValidHexStr(const std::string& Text);
bool IsValidOctStr(const std::string& Text);
bool IsValidBinStr(const std::string& Text);
///@}

/// Each leaves Pos on the first character it did not use.
///@{
double ScanFloat(const std::string& Text, bool ExponentAllowed, TDecPSep SepMode, int& Pos);
int32_t ScanDecInt(const std::string& Text, int& Pos);
int32_t ScanHex(const std::string& Text, int& Pos);
int32_t ScanOct(const std::string& Text, int& Pos);
int32_t ScanBin(const std::string& Text, int& Pos);
///@}

/// Decimals -2: scientific with |Width| characters; otherwise fixed point,
/// padded to |Width|; a negative Width pads with zeros. Widths are capped at
/// 255 and decimals at 100.
std::string NumToText(double Value, int Width, int Decimals);
/// The low 32 bits of Value with exactly Count digits (capped at 8, 11 and 32;
/// 0 or less writes one digit).
///@{
std::string HexDigits(int64_t Value, int Count);
std::string OctDigits(int64_t Value, int Count);
std::string BinDigits(int64_t Value, int Count);
///@}
/// Nearest integer, ties to even; saturated to the int64 range, NaN gives 0.
int64_t RoundHalfEven(double Value);

// ---------------------------------------------------------------- TNumIO ----

/// A platform edit that puts back its last valid text whenever a change does
/// not convert into a number of InputFormat within the range.
///
/// From examples/minimal/main.cpp (`qel-minimal`):
/// \dontinclude minimal/main.cpp
/// \skip new TNumIO
/// \until OnChange
/// \image html numeric-input.png "The gallery's page Numeric input"
class TNumIO : public TCustomEdit {
 public:
  /// An empty field of itDynamic format with the range 0..0.
  explicit TNumIO(TComponent* AOwner);

  /// How the text is read and written.
  ///@{
  TInFormat GetInputFormat() const { return inputFormat_; }
  void SetInputFormat(TInFormat v);
  ///@}
  /// Ends of the accepted range; a value set past the other end becomes that end, and that end's old value this one. Rechecks the text.
  ///@{
  double GetRangeLow() const { return rangeLow_; }
  void SetRangeLow(double v);
  double GetRangeHigh() const { return rangeHigh_; }
  void SetRangeHigh(double v);
  ///@}
  /// Decimal separator the field accepts.
  ///@{
  TDecPSep GetDecPlaceSep() const { return decPlaceSep_; }
  void SetDecPlaceSep(TDecPSep v);
  ///@}
  /// Decimals of itFixPoint, clamped to 1..8.
  ///@{
  int GetFixPointDecPlaces() const { return fixPointDecPlaces_; }
  void SetFixPointDecPlaces(int v);
  ///@}
  /// Whether a refused change beeps.
  ///@{
  bool GetBeep() const { return beep_; }
  void SetBeep(bool v) { beep_ = v; }
  ///@}

  /// Writes Value as the format says.
  void SetLabValue(double Value);
  /// The text's value (0 when it is no number).
  double GetLabValue();
  /// The commit conversion: true when the whole (blank-trimmed) text is a
  /// number of the format; Value is untouched for the empty text.
  bool ConvertNumString(const std::string& Text, double& Value) const;
  /// Sets the text without validating it.
  void SetEditText(const std::string& Text);

  /// Copies the format, range and separator from another numeric field.
  void Assign(TPersistent* Source) override;
  /// Fills another TNumIO from this one.
  void AssignTo(TPersistent* Dest) override;

 protected:
  /// Checks the change and puts back the last valid text when it does not convert.
  void Change() override;

 private:
  void Validate();
  void Revalidate();
  int FixPointCaretFix(const std::string& Text, int Caret, std::string& R, bool& Replace, bool& Cut) const;
  TInFormat inputFormat_ = itDynamic;
  double rangeLow_ = 0, rangeHigh_ = 0;
  TDecPSep decPlaceSep_ = dsSystem;
  int fixPointDecPlaces_ = 2;
  bool beep_ = false;
  std::string lastValid_;
  bool programmatic_ = false;
};

// --------------------------------------------------------------- TNumIO2 ----

/// Raised by GetNioIntValue when the value does not fit 32 bits.
QEL_EXCEPTION(EQELNumIO2Error, EQELError)

/// Fires while the user drags or clicks in the gauge: GaugeValue is the value under the mouse.
using TOnGaugeChangeEvent = std::function<void(TObject* Sender, TShiftState Shift, double GaugeValue)>;

/// A custom-drawn numeric field with spin buttons, an inline gauge, captions left and right and its own blinking caret; the text turns the warning colours while its value lies outside the range.
///
/// From examples/panel/main.cpp (`qel-panel`):
/// \snippet panel/main.cpp field
/// \image html numeric-input.png "The gallery's page Numeric input"
class TNumIO2 : public TCustomControl {
 public:
  /// A float field from 0 to 1000.
  explicit TNumIO2(TComponent* AOwner);
  /// Stops the caret timer.
  ~TNumIO2() override;

  /// The text; a text that is no number of the format is ignored when set (the empty text is taken).
  ///@{
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  ///@}
  /// The text's value (0 when it is no number); the setter writes it as the format says and repaints.
  ///@{
  double GetValue() const;
  void SetValue(double v);
  ///@}
  /// How the text is read and written; the setter writes the value again in the new format.
  ///@{
  TInFormat GetInputFormat() const { return inputFormat_; }
  void SetInputFormat(TInFormat v);
  ///@}
  /// Decimals of itFloat and itFixPoint, 1..15 (0 and less are ignored).
  ///@{
  int GetFixPointDecPlaces() const { return fixPointDecPlaces_; }
  void SetFixPointDecPlaces(int v);
  ///@}
  /// Significant digits of itExp, 1..15 (0 and less are ignored).
  ///@{
  int GetSignificantDigits() const { return significantDigits_; }
  void SetSignificantDigits(int v);
  ///@}
  /// Decimal separator accepted; the setter turns the text's separators into the new one.
  ///@{
  TDecPSep GetDecPlaceSep() const { return decPlaceSep_; }
  void SetDecPlaceSep(TDecPSep v);
  ///@}
  /// Ends of the range; values outside it show in the warning colours.
  ///@{
  double GetRangeLow() const { return rangeLow_; }
  void SetRangeLow(double v);
  double GetRangeHigh() const { return rangeHigh_; }
  void SetRangeHigh(double v);
  ///@}
  /// Whether typing is refused.
  ///@{
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  ///@}
  /// Whether a refused key beeps.
  ///@{
  bool GetBeep() const { return beep_; }
  void SetBeep(bool v) { beep_ = v; }
  ///@}
  /// Whether the selection is hidden while the field has no focus.
  ///@{
  bool GetHideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  ///@}
  /// Whether the height follows the font.
  ///@{
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  ///@}
  /// Alignment of the text in its box.
  ///@{
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  ///@}
  /// Captions left and right of the box.
  ///@{
  const std::string& GetLeftText() const { return leftText_; }
  void SetLeftText(const std::string& v);
  const std::string& GetRightText() const { return rightText_; }
  void SetRightText(const std::string& v);
  ///@}
  /// Alignment of each caption.
  ///@{
  TAlignment GetLeftTextAlignment() const { return leftTextAlignment_; }
  void SetLeftTextAlignment(TAlignment v);
  TAlignment GetRightTextAlignment() const { return rightTextAlignment_; }
  void SetRightTextAlignment(TAlignment v);
  ///@}
  /// Pixels from the left edge to the box, at most Width.
  ///@{
  int GetLeftSpace() const { return leftSpace_; }
  void SetLeftSpace(int v);
  ///@}
  /// Width of the text box in pixels.
  ///@{
  int GetTextBoxWidth() const { return textBoxWidth_; }
  void SetTextBoxWidth(int v);
  ///@}
  /// Style of the frame around the box.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v);
  ///@}

  /// Whether the spin buttons are shown.
  ///@{
  bool GetButVisible() const { return butVisible_; }
  void SetButVisible(bool v);
  ///@}
  /// Whether the spin buttons look raised.
  ///@{
  bool GetBut3D() const { return but3D_; }
  void SetBut3D(bool v);
  ///@}
  /// Width of the spin buttons in pixels, clamped to 8..50.
  ///@{
  int GetButWidth() const { return butWidth_; }
  void SetButWidth(int v);
  ///@}
  /// Height of the spin buttons in pixels, 18..Height.
  ///@{
  int GetButHeight() const { return butHeight_; }
  void SetButHeight(int v);
  ///@}
  /// Pixels between box and spin buttons, clamped to 0..50.
  ///@{
  int GetButSpace() const { return butSpace_; }
  void SetButSpace(int v);
  ///@}
  /// Colour of the spin buttons.
  ///@{
  TColor GetButColor() const { return butColor_; }
  void SetButColor(TColor v);
  ///@}
  /// Step of a spin button click (when DiscreteValues is empty).
  ///@{
  double GetButIncrem() const { return butIncrem_; }
  void SetButIncrem(double v);
  ///@}

  /// Whether the gauge under the box is shown.
  ///@{
  bool GetGaugeVisible() const { return gaugeVisible_; }
  void SetGaugeVisible(bool v);
  ///@}
  /// Height of the gauge in pixels, at least 3.
  ///@{
  int GetGaugeHeight() const { return gaugeHeight_; }
  void SetGaugeHeight(int v);
  ///@}
  /// Width of the gauge in pixels, at least 10 and at most what fits.
  ///@{
  int GetGaugeWidth() const { return gaugeWidth_; }
  void SetGaugeWidth(int v);
  ///@}
  /// Position of the gauge in pixels, kept inside the control.
  ///@{
  int GetGaugeLeftMargin() const { return gaugeLeftMargin_; }
  void SetGaugeLeftMargin(int v);
  int GetGaugeTopMargin() const { return gaugeTopMargin_; }
  void SetGaugeTopMargin(int v);
  ///@}
  /// Style of the gauge's frame.
  ///@{
  TFrameStyle GetGaugeFrameStyle() const { return gaugeFrameStyle_; }
  void SetGaugeFrameStyle(TFrameStyle v);
  ///@}
  /// Colours of the gauge's bar, background and frame.
  ///@{
  TColor GetGaugeColor() const { return gaugeColor_; }
  void SetGaugeColor(TColor v);
  TColor GetGaugeColorBg() const { return gaugeColorBg_; }
  void SetGaugeColorBg(TColor v);
  TColor GetGaugeColorFrame() const { return gaugeColorFrame_; }
  void SetGaugeColorFrame(TColor v);
  ///@}

  /// Colours of the box and its text while the value is in range.
  ///@{
  TColor GetColorBoxBG() const { return colorBoxBG_; }
  void SetColorBoxBG(TColor v);
  TColor GetColorBoxText() const { return colorBoxText_; }
  void SetColorBoxText(TColor v);
  ///@}
  /// Colours around the box and of the captions.
  ///@{
  TColor GetColorOutBG() const { return colorOutBG_; }
  void SetColorOutBG(TColor v);
  TColor GetColorOutText() const { return colorOutText_; }
  void SetColorOutText(TColor v);
  ///@}
  /// Colours of the box and its text while the value is out of range.
  ///@{
  TColor GetColorWarnBG() const { return colorWarnBG_; }
  void SetColorWarnBG(TColor v);
  TColor GetColorWarnText() const { return colorWarnText_; }
  void SetColorWarnText(TColor v);
  ///@}
  /// Colour scheme of the frames' edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}

  /// Greys the field and its buttons.
  void SetEnabled(bool v) override;
  /// Moves or resizes the field; at least 18 pixels high.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  /// Spin buttons walk these (ascending) and gauge clicks snap to them.
  std::vector<double> DiscreteValues;

  /// Selection ends as 0-based character positions, clamped into the text.
  ///@{
  void SetSelBegin(int Pos);
  void SetSelEnd(int Pos);
  int GetSelBegin() const { return selBegin_; }
  int GetSelEnd() const { return selEnd_; }
  ///@}
  /// 0-based caret position.
  int GetCaretPos() const { return caret_; }
  /// Whether the blinking caret is currently drawn.
  bool CaretVisible() const { return caretVisible_; }
  /// Whether the value lies outside RangeLow..RangeHigh.
  bool OutOfRange() const;
  /// The value rounded to an integer; raises EQELNumIO2Error when it does not fit 32 bits.
  int32_t GetNioIntValue() const;
  /// Client x of the gap before character Pos.
  int CharPosToXCoords(int Pos);
  /// The character gap nearest to client x.
  int XCoordsToCharPos(int X);
  /// Takes the focus and shows the caret.
  void SetFocus() override;

  /// Copies every setting and the text from another TNumIO2.
  void Assign(TPersistent* Source) override;
  /// Fills another TNumIO2 from this one.
  void AssignTo(TPersistent* Dest) override;

  /// Fires when the user changes the text (keys, spin buttons, gauge).
  TNotifyEvent OnChange;
  /// See TOnGaugeChangeEvent.
  TOnGaugeChangeEvent OnGaugeChange;

 protected:
  void CreateWnd() override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;

 private:
  // model (NumIO2.cpp)
  bool CheckValidity(const std::string& Text) const;
  // Every write to text_ ends here, so the remembered value and validity
  // below follow the text.
  void TextChanged() { ++textVersion_; }
  // CheckValidity(text_), remembered until the text or the format changes.
  bool TextIsValid() const;
  double ReadValue() const;  // GetValue without the memo
  std::string FormatValue(double v) const;
  void Redraw() { Repaint(); }
  // input (NumIO2Input.cpp)
  bool HandleCtrlKey(uint16_t Key);
  bool HandlePlainKey(uint16_t Key);
  char CharOfKey(uint16_t Key) const;
  void InsertChar(char C);
  void DeleteSelection();
  // Edits a key makes, in place and remembered until UndoKeyEdits takes
  // them back, so a refused key need not have copied the whole text first.
  void ReplaceText(size_t Pos, size_t Count, const std::string& With);
  void UndoKeyEdits();
  int GaugeBand() const;
  double GaugeValueAt(int X) const;
  double SpinStep(bool Up) const;
  void BeepIfWanted() const;
  // caret timer (NumIO2Input.cpp)
  void RestartCaretTimer();
  void CaretTick();
  // painting (NumIO2Paint.cpp)
  void PaintOn(TCanvas* C);
  void PaintSideTexts(TCanvas* C);
  void PaintSideText(TCanvas* C, int X, int Y, const std::string& S);
  void PaintButtons(TCanvas* C);
  void PaintGauge(TCanvas* C);
  void PaintBox(TCanvas* C);
  void PaintBoxText(TCanvas* C);
  void PaintCaretAndSelection(TCanvas* C);
  int TextTop(TCanvas* C) const;
  int64_t BoxTextLeft(int64_t TextWidth) const;

  std::string text_;
  TInFormat inputFormat_ = itFloat;
  int fixPointDecPlaces_ = 2;
  int significantDigits_ = 6;
  TDecPSep decPlaceSep_ = dsBoth;
  double rangeLow_ = 0.0, rangeHigh_ = 1000.0;
  bool readOnly_ = false, beep_ = false, hideSelection_ = true, autoSize_ = false;
  TAlignment alignment_ = taCenter;
  std::string leftText_, rightText_;
  TAlignment leftTextAlignment_ = taRightJustify, rightTextAlignment_ = taLeftJustify;
  int leftSpace_ = 35, textBoxWidth_ = 80;
  TFrameStyle frameStyle_ = fsLowered;
  bool butVisible_ = false, but3D_ = true;
  int butWidth_ = 18, butHeight_ = 28, butSpace_ = 3;
  TColor butColor_ = clSilver;
  double butIncrem_ = 1.0;
  bool gaugeVisible_ = false;
  int gaugeHeight_ = 8, gaugeWidth_ = 82, gaugeLeftMargin_ = 35, gaugeTopMargin_ = 3;
  TFrameStyle gaugeFrameStyle_ = fsLowered;
  TColor gaugeColor_ = clNavy, gaugeColorBg_ = clSilver, gaugeColorFrame_ = clGray;
  TColor colorBoxBG_ = clWhite, colorBoxText_ = clBlack, colorOutBG_ = clBtnFace, colorOutText_ = clBlack;
  TColor colorWarnBG_ = TColor(0x6088FFF0), colorWarnText_ = clRed;
  TSchemeColors scheme_;

  int caret_ = 0, selBegin_ = 0, selEnd_ = 0;
  bool caretVisible_ = true;
  bool shiftDown_ = false, ctrlDown_ = false;
  bool gaugeDrag_ = false;
  bool windowNotCreated_ = true;
  bool constructing_ = true;
  std::unique_ptr<TBitmap> buffer_;
  // Reading the value or checking a long text costs a pass over it: each is
  // done once for a text (and the format settings it depends on).
  uint64_t textVersion_ = 1;
  /// \cond
  mutable struct {
    uint64_t version = 0;
    TInFormat format = itFloat;
    double value = 0;
  } valueMemo_;
  mutable struct {
    uint64_t version = 0;
    TInFormat format = itFloat;
    TDecPSep mode = dsPoint;
    int decPlaces = 0;
    bool valid = false;
  } validityMemo_;
  struct TKeyEdit {
    size_t pos;
    std::string removed;
    size_t inserted;
  };
  std::vector<TKeyEdit> keyEdits_;
  /// \endcond
  // The text as painted: measured once, then only where it changes, so a
  // long text paints as fast as a short one (its positions are bytes: the
  // text is ASCII).
  TMeasuredLine boxText_;
  TTimerWindow timer_;  // last, so it goes first: no tick outlives what it uses
};

QEL_API_END
}  // namespace qel
