// Page "Basics": small custom controls that exercise painting, focus and the
// tab order, a timer and the clipboard.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../Gallery.h"
#include "platform/controls/Application.h"

using namespace qel;

namespace {

void DrawFocusFrame(TCanvas* c, const TRect& r) {
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetStyle(psDot);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(r);
  c->Pen()->SetStyle(psSolid);
  c->Brush()->SetStyle(bsSolid);
}

// A push button drawn by hand: raised, sunken while pressed.
class TPlainButton : public TCustomControl {
 public:
  TPlainButton(TComponent* owner, TWinControl* parent, const std::string& caption, TRect r)
      : TCustomControl(owner) {
    SetParent(parent);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    SetCaption(caption);
    SetTabStop(true);
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    int w = GetWidth(), h = GetHeight();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect({0, 0, w, h});
    DrawEdge(c, {0, 0, w, h}, pressed_ ? clBtnShadow : clBtnHighlight, pressed_ ? clBtnHighlight : cl3DDkShadow);
    c->Font()->Assign(GetFont());
    c->Brush()->SetStyle(bsClear);
    int d = pressed_ ? 1 : 0;
    c->TextOut((w - c->TextWidth(GetCaption())) / 2 + d, (h - c->TextHeight(GetCaption())) / 2 + d, GetCaption());
    if (Focused()) DrawFocusFrame(c, {3, 3, w - 3, h - 3});
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    SetFocus();
    pressed_ = true;
    Invalidate();
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    pressed_ = false;
    Invalidate();
    TCustomControl::MouseUp(b, s, x, y);
  }
  void KeyPress(char32_t& key) override {
    if (key == ' ' || key == '\r') Click();
    TCustomControl::KeyPress(key);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) Invalidate();
    TCustomControl::WndProc(m);
  }

 private:
  bool pressed_ = false;
};

// Shows the clicks and the text it receives; with QEL_GALLERY_ECHO set it
// also prints them, so an end-to-end test can see what arrived.
class TEchoBox : public TCustomControl {
 public:
  TEchoBox(TComponent* owner, TWinControl* parent, TRect r) : TCustomControl(owner) {
    SetName("EchoBox");
    SetParent(parent);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    SetBorderStyle(bsSingle);
    SetTabStop(true);
    echo_ = std::getenv("QEL_GALLERY_ECHO") != nullptr;
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Focused() ? RGB(255, 255, 230) : clWindow);
    c->FillRect(GetClientRect());
    c->Font()->Assign(GetFont());
    c->TextOut(6, 6, "Clicks: " + std::to_string(clicks_));
    c->TextOut(6, 26, "Typed: " + text_ + (Focused() ? "_" : ""));
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    SetFocus();
    TCustomControl::MouseDown(b, s, x, y);
  }
  void Click() override {
    ++clicks_;
    if (echo_) std::printf("echo: click %d\n", clicks_), std::fflush(stdout);
    Invalidate();
    TCustomControl::Click();
  }
  void KeyPress(char32_t& key) override {
    if (key == 8 && !text_.empty()) text_.pop_back();
    else if (key >= 32 && key < 127) text_ += static_cast<char>(key);
    if (echo_) std::printf("echo: text %s\n", text_.c_str()), std::fflush(stdout);
    Invalidate();
    TCustomControl::KeyPress(key);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) Invalidate();
    TCustomControl::WndProc(m);
  }

 private:
  int clicks_ = 0;
  std::string text_;
  bool echo_;
};

// Counts timer ticks on its own message window, ten a second.
class TTicker : public TGraphicControl {
 public:
  TTicker(TComponent* owner, TWinControl* parent, TRect r) : TGraphicControl(owner) {
    SetParent(parent);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    wnd_ = AllocateHWnd([this](TMessage& m) {
      if (m.Msg != WM_TIMER) return;
      ++ticks_;
      Invalidate();
    });
    SetTimer(wnd_, 1, 100);
  }
  ~TTicker() override { DeallocateHWnd(wnd_); }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    int w = GetWidth(), h = GetHeight();
    c->Brush()->SetColor(clWhite);
    c->Pen()->SetColor(clGray);
    c->Rectangle(0, 0, w, h);
    c->Brush()->SetColor(clNavy);
    int filled = (ticks_ % 50) * (w - 4) / 49;
    c->FillRect({2, 2, 2 + filled, h - 2});
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clRed);
    c->TextOut(8, (h - c->TextHeight("0")) / 2, std::to_string(ticks_ / 10) + "." + std::to_string(ticks_ % 10) + " s");
  }

 private:
  HWND wnd_;
  int ticks_ = 0;
};

gallery::PageRegistration page("Basics", 1, [](TWinControl* panel) {
  gallery::AddLabel(panel, 16, 12, "Click or Tab into the box and type; the buttons copy and paste through the clipboard.");
  auto* echo = new TEchoBox(panel, panel, Bounds(16, 36, 300, 52));
  auto* copy = new TPlainButton(panel, panel, "Copy", Bounds(16, 100, 90, 28));
  auto* paste = new TPlainButton(panel, panel, "Paste", Bounds(116, 100, 90, 28));
  auto* pasted = gallery::AddLabel(panel, 220, 106, "(clipboard not read yet)");
  copy->OnClick = [](TObject*) { Clipboard()->SetAsText("Hello from the libqel gallery"); };
  paste->OnClick = [pasted](TObject*) {
    pasted->SetCaption("Clipboard: " + (Clipboard()->HasFormat(CF_TEXT) ? Clipboard()->GetAsText() : "(empty)"));
  };
  gallery::AddLabel(panel, 16, 150, "A timer on its own message window, ten ticks a second:");
  new TTicker(panel, panel, Bounds(16, 172, 300, 26));
  (void)echo;
},
                            "Click the echo box and type; press Tab to walk the focus through the boxes");
}  // namespace
