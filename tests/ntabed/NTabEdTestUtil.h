// A table editor on a form for the editor tests, with counters for its
// change notifications and its drawn cells, and a check that a cell shows
// a given text by drawing the expected cell with the same font beside it.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ntabed/QEL_ntabed.h"
#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

class TCountingTabEd : public TNTabEd {
 public:
  using TNTabEd::TNTabEd;
  int drawn = 0;
  using TNTabEd::GetCommentEditing;
  using TNTabEd::SetCommentEditing;

 protected:
  void DrawCell(int c, int r, const TRect& rect, TGridDrawState s) override {
    ++drawn;
    TNTabEd::DrawCell(c, r, rect, s);
  }
};

// How often each notification fired.
struct Notes {
  int data = 0, setup = 0, heading = 0, attrib = 0, states = 0, layout = 0, selection = 0;
  void Bind(TNTabEd* e) {
    e->OnChange = [this](TObject*) { ++data; };
    e->OnChangeSetup = [this](TObject*) { ++setup; };
    e->OnHeadingChanged = [this](TObject*) { ++heading; };
    e->OnAttributeChanged = [this](TObject*) { ++attrib; };
    e->OnCellStateChanged = [this](TObject*) { ++states; };
    e->OnLayoutChanged = [this](TObject*) { ++layout; };
    e->OnSelectionChanged = [this](TObject*) { ++selection; };
  }
  int Total() const { return data + setup + heading + attrib + states + layout + selection; }
};

// A default editor at the form's top left, without border or bars, so that
// client coordinates are plain: grid column 0 is x 0..79, column 1 (row
// attributes) 81..112, table column 1 114..177; row 0 is y 0..23, table
// row 1 25..48 (24-pixel rows, 1-pixel lines).
struct EditorFixture {
  TForm form{nullptr};
  TCountingTabEd* ed;
  TTestRobot robot;
  Notes notes;
  explicit EditorFixture(int w = 420, int h = 200) {
    form.SetBounds(0, 0, w + 40, h + 40);
    ed = new TCountingTabEd(&form);
    ed->SetParent(&form);
    ed->SetBorderStyle(bsNone);
    ed->SetScrollBars(ssNone);
    ed->SetBounds(0, 0, w, h);
    form.Show();
    Application->ProcessMessages();
    notes.Bind(ed);
  }
  // The editor fully painted by the paint cycle, as shown.
  std::unique_ptr<TBitmap> Shot() {
    ed->Invalidate();
    Application->ProcessMessages();
    return robot.Capture(ed);
  }
};

inline TColor PixelOf(const TBitmap& b, int x, int y) { return PixelToColor(b.ScanLine(y)[x]); }

// True when Shot shows, inside Compare (Clip when empty), exactly what
// TextRect(Clip, X, Y, Text) draws with the editor's font in colour Fg and
// style Style on Bg.
inline ::testing::AssertionResult ShowsText(const TBitmap& Shot, TNTabEd* Ed, const TRect& Clip, int X, int Y,
                                            const std::string& Text, TColor Fg, TColor Bg, TFontStyles Style,
                                            TRect Compare = {}) {
  if (Compare.IsEmpty()) Compare = Clip;
  TBitmap ref(Shot.GetWidth(), Shot.GetHeight());
  TCanvas* c = ref.Canvas();
  c->Font()->Assign(Ed->GetFont());
  c->Font()->SetColor(Fg);
  c->Font()->SetStyle(Style);
  c->Brush()->SetColor(Bg);
  c->TextRect(Clip, X, Y, Text);
  for (int y = Compare.Top; y < Compare.Bottom; ++y)
    for (int x = Compare.Left; x < Compare.Right; ++x)
      if (Shot.ScanLine(y)[x] != ref.ScanLine(y)[x])
        return ::testing::AssertionFailure() << "\"" << Text << "\" differs at " << x << "," << y;
  return ::testing::AssertionSuccess();
}

}  // namespace qel::test
