// TColorDialog and the small controls of its form. Sections: palette;
// swatch grid; number field; button and caption; the dialog form; Execute.
#include "platform/stdctrls/ColorDialog.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/StylePainter.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/Label.h"

namespace qel {

// ------------------------------------------------------------ palette ----

namespace {

void AddCaption(TWinControl* parent, int x, int y, const std::string& text) {
  auto* label = new TLabel(parent);
  label->SetParent(parent);
  label->SetLeft(x);
  label->SetTop(y);
  label->SetCaption(text);
}
// The classic chooser's basic colours, as 0xRRGGBB, row by row.
constexpr uint32_t BasicRgb[TColorDialog::BasicColorCount] = {
    0xFF8080, 0xFFFF80, 0x80FF80, 0x00FF80, 0x80FFFF, 0x0080FF, 0xFF80C0, 0xFF80FF,
    0xFF0000, 0xFFFF00, 0x80FF00, 0x00FF40, 0x00FFFF, 0x0080C0, 0x8080C0, 0xFF00FF,
    0x804040, 0xFF8040, 0x00FF00, 0x008080, 0x004080, 0x8080FF, 0x800040, 0xFF0080,
    0x800000, 0xFF8000, 0x008000, 0x008040, 0x0000FF, 0x0000A0, 0x800080, 0x8000FF,
    0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080,
    0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xC0C0C0, 0x400040, 0xFFFFFF};

TColor FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::string HexOf(TColor c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

void Place(TControl* c, TWinControl* parent, const char* name, TRect r) {
  c->SetParent(parent);
  c->SetName(name);
  c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

// --------------------------------------------------------- swatch grid ----

class TSwatchGrid : public TCustomControl {
 public:
  TSwatchGrid(TComponent* owner, int cols, std::vector<TColor> colors)
      : TCustomControl(owner), cols_(cols), colors_(std::move(colors)) {}
  std::function<void(int index)> OnPick;
  int Selected() const { return selected_; }
  void SetSelected(int i) { selected_ = i; Invalidate(); }
  TColor ColorAt(int i) const { return colors_[i]; }
  void SetColorAt(int i, TColor c) { colors_[i] = c; Invalidate(); }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(GetClientRect());
    for (int i = 0; i < static_cast<int>(colors_.size()); ++i) {
      TRect r = Cell(i);
      c->Brush()->SetColor(i == selected_ ? clBlack : clBtnShadow);
      c->FrameRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
      c->Brush()->SetColor(colors_[i]);
      c->FillRect({r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3});
    }
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    for (int i = 0; i < static_cast<int>(colors_.size()); ++i)
      if (Button == mbLeft && Cell(i).Contains({X, Y})) {
        SetSelected(i);
        if (OnPick) OnPick(i);
      }
  }

 private:
  TRect Cell(int i) const {
    return Bounds((i % cols_) * TColorDialog::SwatchWidth, (i / cols_) * TColorDialog::SwatchHeight,
                  TColorDialog::SwatchWidth, TColorDialog::SwatchHeight);
  }
  int cols_;
  std::vector<TColor> colors_;
  int selected_ = -1;
};

// -------------------------------------------------------- number field ----

// A one-line field for a decimal (0..255) or a six-digit hexadecimal
// number. Focusing it marks the text so that typing replaces it.
class TNumberField : public TCustomControl {
 public:
  TNumberField(TComponent* owner, bool hex) : TCustomControl(owner), hex_(hex) {
    SetBorderStyle(bsSingle);
    SetTabStop(true);
    SetColor(clWindow);
  }
  std::function<void()> OnEdited;
  const std::string& Value() const { return text_; }
  void SetValue(const std::string& v) {
    text_ = v;
    replace_ = true;
    Invalidate();
  }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    }
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) {
      replace_ = true;
      Invalidate();
    }
    TCustomControl::WndProc(m);
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    if (CanFocus()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
  void KeyDown(uint16_t& Key, TShiftState Shift) override {
    TCustomControl::KeyDown(Key, Shift);
    if (hex_ || (Key != VK_UP && Key != VK_DOWN)) return;
    int v = std::clamp((text_.empty() ? 0 : std::stoi(text_)) + (Key == VK_UP ? 1 : -1), 0, 255);
    Edit(std::to_string(v));
  }
  void KeyPress(char32_t& Key) override {
    TCustomControl::KeyPress(Key);
    std::string t = replace_ ? std::string() : text_;
    if (Key == 8) {
      if (!t.empty()) t.pop_back();
    } else if (Key < 128 && (hex_ ? std::isxdigit(static_cast<int>(Key)) : std::isdigit(static_cast<int>(Key)))) {
      if (t.size() >= (hex_ ? 6u : 3u)) return;
      t += static_cast<char>(std::toupper(static_cast<int>(Key)));
      if (!hex_ && std::stoi(t) > 255) t = "255";
    } else {
      return;
    }
    Edit(t);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clWindow);
    c->FillRect(GetClientRect());
    c->Font()->Assign(GetFont());
    int y = (ClientHeight() - c->TextHeight("0")) / 2;
    if (Focused() && replace_ && !text_.empty()) {
      c->Brush()->SetColor(clHighlight);
      c->Font()->SetColor(clHighlightText);
    }
    c->TextOut(2, y, text_);
    if (Focused() && !replace_) {  // the caret after the text
      int x = 2 + c->TextWidth(text_);
      c->Pen()->SetColor(clWindowText);
      c->MoveTo(x, y);
      c->LineTo(x, y + c->TextHeight("0"));
    }
  }

 private:
  void Edit(const std::string& t) {
    text_ = t;
    replace_ = false;
    Invalidate();
    if (OnEdited) OnEdited();
  }
  bool hex_;
  std::string text_;
  bool replace_ = true;
};

// -------------------------------------------------- button and caption ----

class TDialogButton : public TCustomControl {
 public:
  TDialogButton(TComponent* owner, const std::string& caption, uint16_t dialogKey = 0)
      : TCustomControl(owner), dialogKey_(dialogKey) {
    SetCaption(caption);
    SetTabStop(true);
  }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_DIALOGKEY && dialogKey_ != 0 && m.WParam == dialogKey_) {
      Click();
      m.Result = 1;
      return;
    }
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) Invalidate();
    TCustomControl::WndProc(m);
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    if (CanFocus()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
  void KeyPress(char32_t& Key) override {
    TCustomControl::KeyPress(Key);
    if (Key == ' ') Click();
  }
  void Paint() override {
    TCanvas* c = Canvas();
    int w = ClientWidth(), h = ClientHeight();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect({0, 0, w, h});
    const TColor light = dialogKey_ == VK_RETURN ? clBlack : clBtnHighlight;
    StylePainter::PaintFrame(c, {0, 0, w, h}, flRaised, light, cl3DDkShadow, clNone);
    c->Font()->Assign(GetFont());
    c->Brush()->SetStyle(bsClear);
    c->TextOut((w - c->TextWidth(GetCaption())) / 2, (h - c->TextHeight(GetCaption())) / 2, GetCaption());
    if (Focused()) {
      c->Pen()->SetColor(cl3DDkShadow);
      c->Pen()->SetStyle(psDot);
      c->Rectangle(3, 3, w - 3, h - 3);
      c->Pen()->SetStyle(psSolid);
    }
    c->Brush()->SetStyle(bsSolid);
  }

 private:
  uint16_t dialogKey_;
};

class TPreview : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    Canvas()->Pen()->SetColor(clBlack);
    Canvas()->Brush()->SetColor(GetColor());
    Canvas()->Rectangle(0, 0, GetWidth(), GetHeight());
  }
};

// ---------------------------------------------------- the dialog form ----

class TColorDialogForm : public TForm {
 public:
  TColorDialogForm(TColor color, const std::array<TColor, TColorDialog::CustomColorCount>& custom)
      : TForm(nullptr), color_(ColorToRGB(color)) {
    SetName("ColorDialogForm");
    SetCaption("Color");
    TCustomForm::SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 412, 272);
    Build(custom);
    ShowColor(nullptr);
  }
  TColor ChosenColor() const { return color_; }
  TColor CustomColor(int i) const { return custom_->ColorAt(i); }

 private:
  void Build(const std::array<TColor, TColorDialog::CustomColorCount>& custom) {
    constexpr int sw = TColorDialog::SwatchWidth, sh = TColorDialog::SwatchHeight;
    AddCaption(this, 8, 6, "Basic colors:");
    std::vector<TColor> basic;
    for (int i = 0; i < TColorDialog::BasicColorCount; ++i) basic.push_back(TColorDialog::BasicColor(i));
    basic_ = new TSwatchGrid(this, 8, basic);
    Place(basic_, this, "BasicColors", Bounds(8, 24, 8 * sw, 6 * sh));
    basic_->OnPick = [this](int i) { SetChosen(basic_->ColorAt(i), nullptr); };
    AddCaption(this, 8, 150, "Custom colors:");
    custom_ = new TSwatchGrid(this, 16, std::vector<TColor>(custom.begin(), custom.end()));
    Place(custom_, this, "CustomColors", Bounds(8, 168, 16 * sw, sh));
    custom_->OnPick = [this](int i) { SetChosen(custom_->ColorAt(i), nullptr); };

    preview_ = new TPreview(this);
    Place(preview_, this, "Preview", Bounds(216, 24, 180, 56));
    const char* names[3] = {"Red:", "Green:", "Blue:"};
    const char* fieldNames[3] = {"RedEdit", "GreenEdit", "BlueEdit"};
    for (int k = 0; k < 3; ++k) {
      AddCaption(this, 216, 92 + 24 * k, names[k]);
      rgb_[k] = new TNumberField(this, false);
      Place(rgb_[k], this, fieldNames[k], Bounds(260, 88 + 24 * k, 48, 22));
      rgb_[k]->OnEdited = [this, k]() { RgbEdited(k); };
    }
    AddCaption(this, 324, 92, "Hex:");
    hex_ = new TNumberField(this, true);
    Place(hex_, this, "HexEdit", Bounds(324, 112, 72, 22));
    hex_->OnEdited = [this]() { HexEdited(); };

    auto* add = new TDialogButton(this, "Add to Custom Colors");
    Place(add, this, "AddCustomButton", Bounds(8, 200, 192, 26));
    add->OnClick = [this](TObject*) { AddCustom(); };
    auto* ok = new TDialogButton(this, "OK", VK_RETURN);
    Place(ok, this, "OKButton", Bounds(224, 236, 80, 26));
    ok->OnClick = [this](TObject*) { SetModalResult(mrOk); };
    auto* cancel = new TDialogButton(this, "Cancel", VK_ESCAPE);
    Place(cancel, this, "CancelButton", Bounds(316, 236, 80, 26));
    cancel->OnClick = [this](TObject*) { SetModalResult(mrCancel); };
  }

  void SetChosen(TColor c, TNumberField* editing) {
    color_ = c;
    ShowColor(editing);
  }

  // Every view of the colour but the field being typed into.
  void ShowColor(TNumberField* editing) {
    preview_->SetColor(color_);
    uint8_t parts[3] = {GetRValue(color_), GetGValue(color_), GetBValue(color_)};
    for (int k = 0; k < 3; ++k)
      if (rgb_[k] != editing) rgb_[k]->SetValue(std::to_string(parts[k]));
    if (hex_ != editing) hex_->SetValue(HexOf(color_));
  }

  void RgbEdited(int) {
    int v[3];
    for (int k = 0; k < 3; ++k) v[k] = rgb_[k]->Value().empty() ? 0 : std::stoi(rgb_[k]->Value());
    TNumberField* editing = nullptr;
    for (TNumberField* f : rgb_)
      if (f->Focused()) editing = f;
    SetChosen(RGB(v[0], v[1], v[2]), editing);
  }

  void HexEdited() {
    if (hex_->Value().size() != 6) return;
    SetChosen(FromRgb(static_cast<uint32_t>(std::stoul(hex_->Value(), nullptr, 16))), hex_);
  }

  // Into the selected custom cell, else the next one in turn.
  void AddCustom() {
    int slot = custom_->Selected();
    if (slot < 0) slot = nextCustom_++ % TColorDialog::CustomColorCount;
    custom_->SetColorAt(slot, color_);
  }

  TColor color_;
  TSwatchGrid *basic_ = nullptr, *custom_ = nullptr;
  TPreview* preview_ = nullptr;
  TNumberField* rgb_[3] = {};
  TNumberField* hex_ = nullptr;
  int nextCustom_ = 0;
};
}  // namespace

// -------------------------------------------------------------- Execute ----

TColor TColorDialog::BasicColor(int Index) {
  if (Index < 0 || Index >= BasicColorCount) throw EListError("Basic colour index out of bounds");
  return FromRgb(BasicRgb[Index]);
}

TColor TColorDialog::GetCustomColor(int Index) const {
  return Index >= 0 && Index < CustomColorCount ? custom_[Index] : clNone;
}

void TColorDialog::SetCustomColor(int Index, TColor Value) {
  if (Index >= 0 && Index < CustomColorCount) custom_[Index] = ColorToRGB(Value);
}

bool TColorDialog::Execute() {
  TColorDialogForm form(color_, custom_);
  if (form.ShowModal() != mrOk) return false;
  color_ = form.ChosenColor();
  for (int i = 0; i < CustomColorCount; ++i) custom_[i] = form.CustomColor(i);
  return true;
}

}  // namespace qel
