// Shared helpers for the standard-control tests: a shown form, a robot and
// text measurement independent of the controls.
#pragma once
#include <string>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

struct EditFormFixture {
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  EditFormFixture() {
    form->SetBounds(100, 100, 400, 300);
    Clipboard()->SetAsText("");
  }
  ~EditFormFixture() { delete form; }
  // Two presses in a row at one time make a double click; tests that mean
  // two single clicks let time pass in between.
  void Pause() { Headless().AdvanceTime(DoubleClickTimeMs + 1); }
};

// Width of Text in the control's font, measured on a canvas of our own.
inline int TextWidthIn(TControl* c, const std::string& text) {
  TCanvas canvas;
  canvas.Font()->Assign(c->GetFont());
  return canvas.TextWidth(text);
}

inline int TextHeightIn(TControl* c) {
  TCanvas canvas;
  canvas.Font()->Assign(c->GetFont());
  return canvas.TextHeight("Wg");
}

}  // namespace qel::test
