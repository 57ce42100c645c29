// Shared helpers for the controls tests: controls that log what happens.
#pragma once
#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/rtl/Exceptions.h"

namespace qel::test {

using Log = std::vector<std::string>;

// A focusable windowed control that paints itself in one colour and logs
// its input in the platform's terms.
class TLogControl : public TCustomControl {
 public:
  TLogControl(TComponent* owner, TWinControl* parent, Log* log, std::string tag, TRect bounds)
      : TCustomControl(owner), log_(log), tag_(std::move(tag)) {
    SetParent(parent);
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    SetTabStop(true);
    OnClick = [this](TObject*) { Add("OnClick"); };
    OnDblClick = [this](TObject*) { Add("OnDblClick"); };
    OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
      Add("OnMouseDown " + std::to_string(b) + (s.Contains(ssDouble) ? " double" : "") + " " + std::to_string(x) +
          "," + std::to_string(y));
    };
    OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
      Add("OnMouseUp " + std::to_string(x) + "," + std::to_string(y));
    };
    OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
      Add("OnMouseMove " + std::to_string(x) + "," + std::to_string(y));
    };
    OnKeyDown = [this](TObject*, uint16_t& k, TShiftState) { Add("OnKeyDown " + std::to_string(k)); };
    OnKeyPress = [this](TObject*, char32_t& k) { Add("OnKeyPress " + std::string(1, char(k))); };
    OnEnter = [this](TObject*) { Add("OnEnter"); };
    OnExit = [this](TObject*) { Add("OnExit"); };
  }
  TColor fill = clWhite;
  int paints = 0;
  intptr_t dlgCode = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(fill);
    Canvas()->FillRect(GetClientRect());
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) { m.Result = dlgCode; return; }
    if (m.Msg == WM_SETFOCUS) Add("WM_SETFOCUS");
    if (m.Msg == WM_KILLFOCUS) Add("WM_KILLFOCUS");
    if (m.Msg == CM_MOUSEENTER) Add("CM_MOUSEENTER");
    if (m.Msg == CM_MOUSELEAVE) Add("CM_MOUSELEAVE");
    TCustomControl::WndProc(m);
  }
  void Add(const std::string& s) { log_->push_back(tag_ + ": " + s); }

 private:
  Log* log_;
  std::string tag_;
};

}  // namespace qel::test
