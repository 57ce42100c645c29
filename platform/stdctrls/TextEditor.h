// TTextEditor: the editing behaviour that edits, memos and the text part of
// combo boxes share: keys, mouse, clipboard, scrolling, drawing of text,
// selection and caret within an area of the host control, and the blinking
// caret. The host turns its messages into these calls and hears back
// through OnEdit (the user changed the text) and OnView (repaint).
//
// Pixel positions along a line are 64-bit and measured through the model's
// block index, and painting lays out only the characters near the visible
// part: keys and repaints in a line of millions of characters cost about
// what they cost in a short one.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/controls/Controls.h"
#include "platform/controls/TimerWindow.h"
#include "platform/stdctrls/TextEditing.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A caret that blinks on a timer of its own while running.
class TCaretBlink {
 public:
  /// Blink interval in milliseconds.
  static constexpr unsigned BlinkMs = 530;
  TCaretBlink();
  void Start();  ///< Shown now, toggles every BlinkMs
  void Stop();   ///< Hidden, timer released
  void Restart() { if (running_) Start(); }  ///< After a move the caret shows at once
  /// Whether the caret blinks.
  bool Running() const { return running_; }
  /// Whether the caret is drawn now.
  bool Visible() const { return running_ && on_; }
  /// Called at every blink.
  std::function<void()> OnToggle;

 private:
  bool running_ = false, on_ = false;
  TTimerWindow timer_;
};

/// Colours of text and selection.
struct TTextColors {
  /// Text, selection ground and selected text.
  ///@{
  TColor text, selBack, selText;
  ///@}
};

/// The editing engine shared by edits and memos: keys, mouse, clipboard, scrolling and painting of a text in an area of its host.
class TTextEditor {
 public:
  /// An empty one-line editor.
  TTextEditor();

  /// The text being edited.
  ///@{
  TTextEditModel& Model() { return model_; }
  const TTextEditModel& Model() const { return model_; }
  ///@}
  /// Programmatic text: caret at 0, view scrolled home; no OnEdit.
  void SetText(const std::string& Text);

  /// Whether the user cannot change the text.
  bool readOnly = false;
  /// Whether the text has several lines.
  bool multiLine = false;
  bool wantReturns = true;  ///< Multi-line: Enter inserts a line break
  bool wantTabs = false;    ///< Multi-line: Tab inserts a tab
  /// Character shown for every character (0: the text itself).
  char32_t passwordChar = 0;

  /// The font text is measured and drawn in; call again when it changes.
  void SetFont(const TFont* Font);
  /// Height of a line in pixels.
  int LineHeight();
  /// Where the text shows, in the host's client coordinates.
  std::function<TRect()> GetArea;
  std::function<void()> OnEdit;  ///< The user changed the text
  std::function<void()> OnView;  ///< Caret, selection or scrolling changed

  /// Input; each returns whether it used the key.
  ///@{
  bool KeyDown(uint16_t Key, TShiftState Shift);
  bool Char(char32_t Ch);
  ///@}
  void MouseDown(int X, int Y, TShiftState Shift);  ///< SsDouble selects a word
  /// Extends a drag selection to (X, Y).
  void MouseMove(int X, int Y);
  /// Ends a drag selection.
  void MouseUp() { dragging_ = false; }
  /// Whether a drag selection runs.
  bool Dragging() const { return dragging_; }

  /// Selection and edits from the program (edits fire OnEdit).
  ///@{
  void Select(int Anchor, int Caret);
  void ReplaceSelection(const std::string& S);
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool Undo();
  ///@}

  /// The text position nearest to a point; Floor takes the character under it.
  int PosAt(int X, int Y, bool Floor = false);
  /// Where the caret of a position is drawn (top of its line), host
  /// coordinates (clamped far outside the area for positions far from view).
  TPoint PointOf(int Pos);
  /// Scrolls so that the caret is in view.
  void ScrollToCaret();
  /// Pixels the view is scrolled sideways.
  int64_t ScrollX() const { return scrollX_; }
  /// First line in view.
  int TopLine() const { return topLine_; }

  /// Draws the text, the selection and the caret into the area.
  void Paint(TCanvas* C, const TTextColors& Colors, bool ShowSelection, bool ShowCaret);
  /// The caret's blink.
  ///@{
  TCaretBlink& Blink() { return blink_; }
  const TCaretBlink& Blink() const { return blink_; }
  ///@}

 private:
  std::string Display(const std::string& S) const;
  int64_t XOf(int Line, int Pos);  // pixels from the line's start to Pos
  int ViewX(int Line, int Pos);    // host x of Pos on the scrolled line
  // The last position of a line whose x is at most X (the line's start when none is).
  int FloorPos(int Line, int64_t X);
  int64_t MeasureBytes(size_t Begin, size_t End);
  char32_t CharBefore(size_t Byte) const;  // for kerning (CharBeforeByte)
  int VisibleLines();
  void Moved();
  void Edited(bool Changed);
  void MoveTo(int Pos, bool Extend, bool KeepGoal = false);
  int LineMove(int Lines);
  std::string Clean(const std::string& S) const;

  TTextEditModel model_;
  TCanvas measure_;
  TTextIndex::Measure measureBytes_;
  char32_t measuredPasswordChar_ = 0;  // the extents the model remembers are for this
  TCaretBlink blink_;
  int64_t scrollX_ = 0;
  int topLine_ = 0;
  int64_t goalX_ = -1;  // Up/Down keep the column the caret came from
  bool dragging_ = false;
};

QEL_API_END
}  // namespace qel
