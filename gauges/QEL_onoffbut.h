/// \file
/// QEL_onoffbut: TOnOffBut, a two-state switch shown as a small picture (a
/// checkbox, a slide, a LED, a bulb, ...) with up to four captions around it.
/// A click on the picture toggles it; buttons with the same GroupIndex on one
/// parent act as radio buttons.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Frames. Each style has four frames, indexed OnOff * 2 + Enabled:
///   0 off, disabled   1 off, enabled   2 on, disabled   3 on, enabled
/// A resource picture holds them as a 2 x 2 grid (top: enabled, on at the
/// left; bottom: disabled), each frame half the picture's width and height.
/// Pixels of the key colour 0xEBBEEB are see-through.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Layout. The picture's area starts at (LeftSpace, TopSpace); the frame is
/// drawn one pixel in, at (LeftSpace + 1, TopSpace + 1). With AutoCenter the
/// area is centred in the control. Captions (TH: the font's text height, GW
/// and GH: the glyph size, TW: the caption's width, W: the control's width):
///   left, right  y = TopSpace + (GH - TH) div 2
///   top          y = TopSpace - TH - 4
///   bottom       y = TopSpace + GH + 4
///                taLeftJustify   taRightJustify   taCenter
///   left         4               LS - TW - 3      (LS - TW) div 2
///   right        LS + GW + 4     W - TW - 4       (W - TW - (LS + GW)) div 2 + LS + GW + 1
///   top, bottom  4               W - TW - 4       LS + (GW - TW) div 2
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Mouse. With oomaFocused a left press strictly inside the picture's area
/// toggles the button, with oomaPlain one anywhere on it, with oomaNone none.
/// In oobmSpeedBut mode the button is on only while held. OnClick fires on a
/// release that meets the same conditions, after OnMouseUp.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Where the description leaves room:
///  - the user style (oobsUser) takes the size of its own frames (20 x 20 until
///    SetUserGlyph gives others), so centring and hit testing match what is drawn;
///  - a transparent button that would repaint at once invalidates instead, so
///    that its parent repaints underneath first;
///  - Assign switching a grouped button on tells its group.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Sections: types; TOnOffBut (state, look, captions, pictures, group, mouse,
/// painting, lifecycle).
#pragma once
#include <array>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/controls/Controls.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Look of the switch: a resource picture per style, or the user's own frames (oobsUser).
enum TOnOffButStyle : uint8_t {
  oobsUser, oobsCheckbox, oobsRadioBut, oobsSlideTB, oobsSlideLR, oobsColSlideTB, oobsColSlideLR,
  oobsLedRedGreen, oobsArrowTopRgt, oobsArrowUpDown, oobsArrowLeftRight, oobsTrafficLPed, oobsBeveledLed,
  oobsSmileyYellow, oobsSmileyRedGrn, oobsBulb, oobsButLamp, oobsHDLeft, oobsHDRight,
  oobsUser1, oobsUser2, oobsUser3, oobsUser4, oobsUser5
};
/// How the button behaves: toggles on each click (oobmNormalBut) or is on only while held (oobmSpeedBut).
enum TOOButMode : uint8_t { oobmNormalBut, oobmSpeedBut };
/// Which presses toggle: none, only inside the picture (oomaFocused) or anywhere on the button (oomaPlain).
enum TOOButMouseAction : uint8_t { oomaNone, oomaFocused, oomaPlain };

/// The resource picture of a style ("" for oobsUser).
const char* OnOffButResourceName(TOnOffButStyle Style);

/// A two-state switch shown as a small picture (checkbox, slide, LED, bulb, ...) with up to four captions; buttons with the same GroupIndex on one parent act as radio buttons.
///
/// From examples/panel/main.cpp (`qel-panel`):
/// \snippet panel/main.cpp switch
/// \image html bars-and-buttons.png "The gallery's page Bars and buttons"
class TOnOffBut : public TGraphicControl {
 public:
  /// Pixels of this colour in a picture are see-through.
  static constexpr TColor KeyColor = 0xEBBEEB;

  /// An on button in the coloured left-right slide style.
  explicit TOnOffBut(TComponent* AOwner);
  /// Frees the pictures.
  ~TOnOffBut() override;

  // --- state and behaviour ---
  /// Whether the switch is on; fires nothing, repaints.
  ///@{
  bool GetOnOff() const { return onOff_; }
  /// Switching a grouped button off is refused unless AllowAllOff; switching
  /// one on switches the others of its group off.
  void SetOnOff(bool v);
  ///@}
  /// Look of the switch; loads its pictures.
  ///@{
  TOnOffButStyle GetButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TOnOffButStyle v);
  ///@}
  /// Toggle on each click, or on only while held.
  ///@{
  TOOButMode GetMode() const { return mode_; }
  void SetMode(TOOButMode v);
  ///@}
  /// Which presses toggle the button.
  ///@{
  TOOButMouseAction GetMouseAction() const { return mouseAction_; }
  void SetMouseAction(TOOButMouseAction v) { Apply(mouseAction_, v, TRefresh::None); }
  ///@}
  /// Buttons of one parent with the same non-zero index form a radio group.
  ///@{
  int GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  ///@}
  /// Whether every button of a group may be off.
  ///@{
  bool GetAllowAllOff() const { return allowAllOff_; }
  void SetAllowAllOff(bool v);
  ///@}

  // --- placement of the picture ---
  /// Whether the picture is centred in the button (on resize too).
  ///@{
  bool GetAutoCenter() const { return autoCenter_; }
  void SetAutoCenter(bool v);
  ///@}
  /// Negative values are ignored; with AutoCenter the picture is re-centred
  /// instead; otherwise at most Width (Height).
  ///@{
  int GetLeftSpace() const { return leftSpace_; }
  void SetLeftSpace(int v);
  int GetTopSpace() const { return topSpace_; }
  void SetTopSpace(int v);
  ///@}
  /// Size of one frame of the picture in pixels.
  ///@{
  int GetGlyphWidth() const { return glyphWidth_; }
  int GetGlyphHeight() const { return glyphHeight_; }
  ///@}

  // --- captions ---
  /// Captions left, right, above and below the picture (repaint without events).
  ///@{
  const std::string& GetLeftText() const { return text_[kLeft]; }
  void SetLeftText(const std::string& v) { Apply(text_[kLeft], v, TRefresh::Invalidate); }
  const std::string& GetRightText() const { return text_[kRight]; }
  void SetRightText(const std::string& v) { Apply(text_[kRight], v, TRefresh::Invalidate); }
  const std::string& GetTopText() const { return text_[kTop]; }
  void SetTopText(const std::string& v) { Apply(text_[kTop], v, TRefresh::Invalidate); }
  const std::string& GetBottomText() const { return text_[kBottom]; }
  void SetBottomText(const std::string& v) { Apply(text_[kBottom], v, TRefresh::Invalidate); }
  ///@}
  /// Alignment of each caption in its place.
  ///@{
  TAlignment GetLeftTextAlignment() const { return align_[kLeft]; }
  void SetLeftTextAlignment(TAlignment v) { Apply(align_[kLeft], v, TRefresh::Invalidate); }
  TAlignment GetRightTextAlignment() const { return align_[kRight]; }
  void SetRightTextAlignment(TAlignment v) { Apply(align_[kRight], v, TRefresh::Invalidate); }
  TAlignment GetTopTextAlignment() const { return align_[kTop]; }
  void SetTopTextAlignment(TAlignment v) { Apply(align_[kTop], v, TRefresh::Invalidate); }
  TAlignment GetBottomTextAlignment() const { return align_[kBottom]; }
  void SetBottomTextAlignment(TAlignment v) { Apply(align_[kBottom], v, TRefresh::Invalidate); }
  ///@}

  // --- look ---
  /// Colour of the captions.
  ///@{
  TColor GetColorText() const { return colorText_; }
  void SetColorText(TColor v) { Apply(colorText_, v, TRefresh::Paint); }
  ///@}
  /// Colour of the background.
  ///@{
  TColor GetColorBackgnd() const { return colorBackgnd_; }
  void SetColorBackgnd(TColor v) { Apply(colorBackgnd_, v, TRefresh::Paint); }
  ///@}
  /// Colour scheme of the frame's edges.
  ///@{
  TColorScheme GetColorScheme() const { return scheme_.Scheme; }
  void SetColorScheme(TColorScheme v);
  ///@}
  /// Style of the frame around the button.
  ///@{
  TFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { Apply(frameStyle_, v, TRefresh::Paint); }
  ///@}
  /// The parent shows through everywhere but the picture, captions and frame.
  ///@{
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v) { Apply(transparent_, v, TRefresh::Invalidate, kAlways); }
  ///@}

  // --- pictures ---
  /// Fills the four frames for the current style (the user frames for oobsUser).
  void LoadGlyphs();
  /// Cuts Picture into the four frames as the 2 x 2 grid says and takes their size.
  void ExtractGlyphs(TBitmap* Picture);
  /// Centres the picture's area when AutoCenter is on.
  void AdjustAutoCenter();
  /// The user style's frames from a picture laid out like the resource ones
  /// (at least 2 x 2 pixels, else EInvalidGraphic and nothing changes), or
  /// from a BMP or PNG file (a bad file raises and changes nothing).
  ///@{
  void SetUserGlyph(TBitmap* Picture);
  void LoadUserGlyph(const std::string& FileName);
  ///@}
  /// The frame shown for Index (0..3, see above), for inspection.
  const TBitmap* Frame(int Index) const;

  /// The resize handler installed as OnResize: re-centres with AutoCenter.
  /// An application that assigns its own OnResize takes this over.
  void ProcessResize(TObject* Sender);

  /// From another TOnOffBut: spaces, AutoCenter, captions and alignments,
  /// FrameStyle, colours and scheme, OnOff, all eight frames, ButtonStyle,
  /// MouseAction, glyph size, Transparent and Enabled; then invalidates.
  /// GroupIndex, AllowAllOff and Mode stay.
  void Assign(TPersistent* Source) override;
  /// Draws the current frame and the captions.
  void Paint() override;

 protected:
  /// Fills another TOnOffBut from this one.
  void AssignTo(TPersistent* Dest) override;
  /// Toggle the button on a press and release that meet MouseAction (see TOOButMouseAction).
  ///@{
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  ///@}
  /// Does nothing: OnClick comes from MouseUp only.
  void Click() override {}
  /// Handles the group's button-pressed message.
  void WndProc(TMessage& Message) override;
  /// Tells the group (the parent's other buttons) that this one is on.
  void UpdateExclusive();

 private:
  class TPainter;
  friend class TPainter;
  enum TPlace : uint8_t { kLeft, kRight, kTop, kBottom };
  enum class TRefresh : uint8_t { Paint, Invalidate, None };
  static constexpr bool kAlways = true;
  // Every setter stores through here: a different value (or Always), then
  // the refresh. A transparent button invalidates where it would paint.
  template <class T>
  void Apply(T& Field, const T& Value, TRefresh Refresh, bool Always = false) {
    if (!Always && Field == Value) return;
    Field = Value;
    Redraw(Refresh);
  }
  void Redraw(TRefresh Refresh);
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  bool Acts(TMouseButton Button, int X, int Y) const;
  void CMButtonPressed(TMessage& Message);
  int FrameIndex() const { return (onOff_ ? 2 : 0) + (GetEnabled() ? 1 : 0); }
  static void Cut(const TBitmap& Picture, std::array<std::unique_ptr<TBitmap>, 4>& Into);

  bool onOff_ = true;
  TOnOffButStyle buttonStyle_ = oobsColSlideLR;
  TOOButMode mode_ = oobmNormalBut;
  TOOButMouseAction mouseAction_ = oomaFocused;
  int groupIndex_ = 0;
  bool allowAllOff_ = true;
  bool autoCenter_ = true;
  int leftSpace_ = 35, topSpace_ = 18;
  int glyphWidth_ = 0, glyphHeight_ = 0;
  std::array<std::string, 4> text_;
  std::array<TAlignment, 4> align_{taRightJustify, taLeftJustify, taCenter, taCenter};
  TColor colorText_ = clBlack, colorBackgnd_ = clBtnFace;
  TSchemeColors scheme_;  // kept, not painted
  TFrameStyle frameStyle_ = fsLowered;
  bool transparent_ = false;
  std::array<std::unique_ptr<TBitmap>, 4> frames_, userFrames_;
  std::unique_ptr<TBitmap> main_, mask_;
};

QEL_API_END
}  // namespace qel
