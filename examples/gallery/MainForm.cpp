#include "MainForm.h"

#include <algorithm>

#include "Gallery.h"
#include "platform/controls/Application.h"

using namespace qel;

namespace gallery {

std::vector<Page>& Pages() {
  static std::vector<Page> pages;
  return pages;
}

namespace {
const std::vector<Page>& SortedPages() {
  auto& pages = Pages();
  std::stable_sort(pages.begin(), pages.end(), [](const Page& a, const Page& b) {
    return a.order != b.order ? a.order < b.order : a.name < b.name;
  });
  return pages;
}
}  // namespace

// The page list: one line per page, keyboard and mouse selection.
class TPageList : public TCustomControl {
 public:
  TPageList(TComponent* owner, TMainForm* form) : TCustomControl(owner), form_(form) {
    SetTabStop(true);
    SetColor(clWindow);
  }

 protected:
  static constexpr int RowHeight = 22;
  void Paint() override {
    TCanvas* c = Canvas();
    c->Font()->Assign(GetFont());
    const auto& pages = SortedPages();
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
      bool sel = i == form_->SelectedPage();
      c->Brush()->SetColor(sel ? (Focused() ? clHighlight : clBtnFace) : clWindow);
      c->Font()->SetColor(sel && Focused() ? clHighlightText : clWindowText);
      c->TextRect(Bounds(0, i * RowHeight, ClientWidth(), RowHeight), 8, i * RowHeight + 4, pages[i].name);
    }
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    SetFocus();
    int row = y / RowHeight;
    if (row >= 0 && row < form_->PageCount()) form_->SelectPage(row);
    TCustomControl::MouseDown(b, s, x, y);
  }
  void KeyDown(uint16_t& key, TShiftState shift) override {
    int n = form_->PageCount(), sel = form_->SelectedPage();
    if (key == VK_DOWN && sel + 1 < n) form_->SelectPage(sel + 1);
    if (key == VK_UP && sel > 0) form_->SelectPage(sel - 1);
    TCustomControl::KeyDown(key, shift);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) { m.Result = DLGC_WANTARROWS; return; }
    if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) Invalidate();
    TCustomControl::WndProc(m);
  }

 private:
  TMainForm* form_;
};

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("GalleryForm");
  SetCaption("libqel gallery");
  SetBounds(0, 0, 1000, 680);
  list_ = new TPageList(this, this);
  list_->SetParent(this);
  list_->SetWidth(170);
  list_->SetBorderStyle(bsSingle);
  list_->SetAlign(alLeft);
  panel_ = new TWinControl(this);
  panel_->SetParent(this);
  panel_->SetColor(clBtnFace);
  panel_->SetAlign(alClient);
  if (PageCount() > 0) SelectPage(0);
}

int TMainForm::PageCount() const { return static_cast<int>(SortedPages().size()); }

std::string TMainForm::PageName(int Index) const {
  return Index >= 0 && Index < PageCount() ? SortedPages()[Index].name : std::string();
}

void TMainForm::SelectPage(int Index) {
  if (Index == selected_ || Index < 0 || Index >= PageCount()) return;
  selected_ = Index;
  // A page's controls are owned by the panel: free them all, build anew.
  panel_->DestroyComponents();
  SortedPages()[Index].build(panel_);
  panel_->Invalidate();
  list_->Invalidate();
  SetCaption("libqel gallery - " + PageName(Index));
}

void TMainForm::SaveScreenshot(const std::string& FileName) { FrameBuffer().SaveToFile(FileName); }

}  // namespace gallery
