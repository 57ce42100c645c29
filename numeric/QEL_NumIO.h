// Unit QEL_NumIO: the number-text codec shared by the numeric inputs, the
// edit-based numeric field TNumIO and the custom-drawn field TNumIO2 with
// spin buttons, an inline gauge and its own blinking caret.
//
// Sections: the codec (formats, validators, scanners, writers); TNumIO;
// TNumIO2.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/QEL_Base.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/TextLayout.h"

namespace qel {

// ------------------------------------------------------------ the codec ----
// Free functions without state that never raise. Texts are byte strings,
// positions 1-based. The scanners clamp a position outside 1..length + 1 into
// that range first and always leave it within it.

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
bool HasDynamicPrefix(const std::string& Text);

bool IsValidExpStr(const std::string& Text, bool ExponentAllowed, TDecPSep SepMode);
bool IsValidFloatStr(const std::string& Text, TDecPSep SepMode);
bool IsValidIntStr(const std::string& Text);
bool IsValidHexStr(const std::string& Text);
bool IsValidOctStr(const std::string& Text);
bool IsValidBinStr(const std::string& Text);

/// Each leaves Pos on the first character it did not use.
double ScanFloat(const std::string& Text, bool ExponentAllowed, TDecPSep SepMode, int& Pos);
int32_t ScanDecInt(const std::string& Text, int& Pos);
int32_t ScanHex(const std::string& Text, int& Pos);
int32_t ScanOct(const std::string& Text, int& Pos);
int32_t ScanBin(const std::string& Text, int& Pos);

/// Decimals -2: scientific with |Width| characters; otherwise fixed point,
/// padded to |Width|; a negative Width pads with zeros. Widths are capped at
/// 255 and decimals at 100.
std::string NumToText(double Value, int Width, int Decimals);
/// The low 32 bits of Value with exactly Count digits (capped at 8, 11 and 32;
/// 0 or less writes one digit).
std::string HexDigits(int64_t Value, int Count);
std::string OctDigits(int64_t Value, int Count);
std::string BinDigits(int64_t Value, int Count);
/// Nearest integer, ties to even; saturated to the int64 range, NaN gives 0.
int64_t RoundHalfEven(double Value);

// ---------------------------------------------------------------- TNumIO ----

/// A platform edit that puts back its last valid text whenever a change does
/// not convert into a number of InputFormat within the range.
class TNumIO : public TCustomEdit {
 public:
  explicit TNumIO(TComponent* AOwner);

  TInFormat GetInputFormat() const { return inputFormat_; }
  void SetInputFormat(TInFormat v);
  double GetRangeLow() const { return rangeLow_; }
  void SetRangeLow(double v);
  double GetRangeHigh() const { return rangeHigh_; }
  void SetRangeHigh(double v);
  TDecPSep GetDecPlaceSep() const { return decPlaceSep_; }
  void SetDecPlaceSep(TDecPSep v);
  int GetFixPointDecPlaces() const { return fixPointDecPlaces_; }
  void SetFixPointDecPlaces(int v);
  bool GetBeep() const { return beep_; }
  void SetBeep(bool v) { beep_ = v; }

  void SetLabValue(double Value);
  double GetLabValue();
  /// The commit conversion: true when the whole (blank-trimmed) text is a
  /// number of the format; Value is untouched for the empty text.
  bool ConvertNumString(const std::string& Text, double& Value) const;
  /// Sets the text without validating it.
  void SetEditText(const std::string& Text);

  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

 protected:
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

QEL_EXCEPTION(EQELNumIO2Error, EQELError)

using TOnGaugeChangeEvent = std::function<void(TObject* Sender, TShiftState Shift, double GaugeValue)>;

class TNumIO2 : public TCustomControl {
 public:
  explicit TNumIO2(TComponent* AOwner);
  ~TNumIO2() override;

  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  double GetValue() const;
  void SetValue(double v);
  TInFormat GetInputFormat() const { return inputFormat_; }
  void SetInputFormat(TInFormat v);
  int GetFixPointDecPlaces() const { return fixPointDecPlaces_; }
  void SetFixPointDecPlaces(int v);
  int GetSignificantDigits() const { return significantDigits_; }
  void SetSignificantDigits(int v);
  TDecPSep GetDecPlaceSep() const { return decPlaceSep_; }
  void SetDecPlaceSep(TDecPSep v);
  double GetRangeLow() const { return rangeLow_; }
  void SetRangeLow(double v);
  double GetRangeHigh() const { return rangeHigh_; }
  void SetRangeHigh(double v);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  bool GetBeep() const { return beep_; }
  void SetBeep(bool v) { beep_ = v; }
  bool GetHideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  const std::string& GetLeftText() const { return leftText_; }
  void SetLeftText(const std::string& v);
  const std::string& GetRightText() const { return rightText_; }
  void SetRightText(const std::string& v);
  TAlignment GetLeftTextAlignment() const { return leftTextAlignment_; }
  void SetLeftTextAlignment(TAlignment v);
  TAlignment GetRightTextAlignment() const { return rightTextAlignment_; }
  void SetRightTextAlignment(TAlignment v);
  int GetLeftSpace() const { return leftSpace_; }
  void SetLeftSpace(int v);
  int GetTextBoxWidth() const { return textBoxWidth_; }
  void SetTextBoxWidth(int v);
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v);

  bool GetButVisible() const { return butVisible_; }
  void SetButVisible(bool v);
  bool GetBut3D() const { return but3D_; }
  void SetBut3D(bool v);
  int GetButWidth() const { return butWidth_; }
  void SetButWidth(int v);
  int GetButHeight() const { return butHeight_; }
  void SetButHeight(int v);
  int GetButSpace() const { return butSpace_; }
  void SetButSpace(int v);
  TColor GetButColor() const { return butColor_; }
  void SetButColor(TColor v);
  double GetButIncrem() const { return butIncrem_; }
  void SetButIncrem(double v);

  bool GetGaugeVisible() const { return gaugeVisible_; }
  void SetGaugeVisible(bool v);
  int GetGaugeHeight() const { return gaugeHeight_; }
  void SetGaugeHeight(int v);
  int GetGaugeWidth() const { return gaugeWidth_; }
  void SetGaugeWidth(int v);
  int GetGaugeLeftMargin() const { return gaugeLeftMargin_; }
  void SetGaugeLeftMargin(int v);
  int GetGaugeTopMargin() const { return gaugeTopMargin_; }
  void SetGaugeTopMargin(int v);
  TFrameStyle GetGaugeFrameStyle() const { return gaugeFrameStyle_; }
  void SetGaugeFrameStyle(TFrameStyle v);
  TColor GetGaugeColor() const { return gaugeColor_; }
  void SetGaugeColor(TColor v);
  TColor GetGaugeColorBg() const { return gaugeColorBg_; }
  void SetGaugeColorBg(TColor v);
  TColor GetGaugeColorFrame() const { return gaugeColorFrame_; }
  void SetGaugeColorFrame(TColor v);

  TColor GetColorBoxBG() const { return colorBoxBG_; }
  void SetColorBoxBG(TColor v);
  TColor GetColorBoxText() const { return colorBoxText_; }
  void SetColorBoxText(TColor v);
  TColor GetColorOutBG() const { return colorOutBG_; }
  void SetColorOutBG(TColor v);
  TColor GetColorOutText() const { return colorOutText_; }
  void SetColorOutText(TColor v);
  TColor GetColorWarnBG() const { return colorWarnBG_; }
  void SetColorWarnBG(TColor v);
  TColor GetColorWarnText() const { return colorWarnText_; }
  void SetColorWarnText(TColor v);
  TColorScheme GetColorScheme() const { return colorScheme_; }
  void SetColorScheme(TColorScheme v);

  void SetEnabled(bool v) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  /// Spin buttons walk these (ascending) and gauge clicks snap to them.
  std::vector<double> DiscreteValues;

  void SetSelBegin(int Pos);
  void SetSelEnd(int Pos);
  int GetSelBegin() const { return selBegin_; }
  int GetSelEnd() const { return selEnd_; }
  int GetCaretPos() const { return caret_; }
  bool CaretVisible() const { return caretVisible_; }
  bool OutOfRange() const;
  int32_t GetNioIntValue() const;
  int CharPosToXCoords(int Pos);
  int XCoordsToCharPos(int X);
  void SetFocus() override;

  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  TNotifyEvent OnChange;
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
  void TimerWndProc(TMessage& Message);
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
  TColorScheme colorScheme_ = csBlackWhite;
  TColor edgeDark_ = clGray, edgeLight_ = clWhite;

  int caret_ = 0, selBegin_ = 0, selEnd_ = 0;
  bool caretVisible_ = true;
  bool shiftDown_ = false, ctrlDown_ = false;
  bool gaugeDrag_ = false;
  bool windowNotCreated_ = true;
  bool constructing_ = true;
  HWND timerWnd_ = 0;
  std::unique_ptr<TBitmap> buffer_;
  // Reading the value or checking a long text costs a pass over it: each is
  // done once for a text (and the format settings it depends on).
  uint64_t textVersion_ = 1;
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
  // The text as painted: measured once, then only where it changes, so a
  // long text paints as fast as a short one (its positions are bytes: the
  // text is ASCII).
  TMeasuredLine boxText_;
};

}  // namespace qel
