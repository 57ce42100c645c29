#include "MainForm.h"

#include <algorithm>

#include "Gallery.h"
#include "platform/controls/Application.h"
#include "platform/rtl/Utf8.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"

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

// The search matches anywhere in a page's name, in any case (Windows-1252
// letters included); UTF-8 substrings of valid text cannot split a character.
bool NameMatches(const std::string& name, const std::string& query) {
  return query.empty() || Utf8Pos(AnsiLowerCase(query), AnsiLowerCase(name)) > 0;
}
}  // namespace

// The page list: one line per listed page, keyboard and mouse selection.
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
    const auto& listed = form_->ListedPages();
    for (int i = 0; i < static_cast<int>(listed.size()); ++i) {
      bool sel = listed[i] == form_->SelectedPage();
      c->Brush()->SetColor(sel ? (Focused() ? clHighlight : clBtnFace) : clWindow);
      c->Font()->SetColor(sel && Focused() ? clHighlightText : clWindowText);
      c->TextRect(Bounds(0, i * RowHeight, ClientWidth(), RowHeight), 8, i * RowHeight + 4, pages[listed[i]].name);
    }
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    SetFocus();
    const auto& listed = form_->ListedPages();
    int row = y / RowHeight;
    if (row >= 0 && row < static_cast<int>(listed.size())) form_->SelectPage(listed[row]);
    TCustomControl::MouseDown(b, s, x, y);
  }
  void KeyDown(uint16_t& key, TShiftState shift) override {
    if (key == VK_DOWN) form_->StepPage(1);
    if (key == VK_UP) form_->StepPage(-1);
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
  SetKeyPreview(true);  // Ctrl+Page Down / Up work wherever the focus is
  auto* side = new TWinControl(this);
  side->SetParent(this);
  side->SetWidth(170);
  side->SetAlign(alLeft);
  search_ = new TEdit(this);
  search_->SetName("PageSearch");
  search_->SetParent(side);
  search_->SetHeight(SearchHeight);
  search_->SetAlign(alTop);
  search_->OnChange = [this](TObject*) { ApplyFilter(); };
  search_->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) {
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return;
    if (key == VK_RETURN) {
      if (!listed_.empty()) SelectPage(listed_.front());
      key = 0;
    } else if (key == VK_ESCAPE) {
      search_->Clear();
      key = 0;
    } else if (key == VK_DOWN) {  // on into the list
      list_->SetFocus();
      key = 0;
    }
  };
  list_ = new TPageList(this, this);
  list_->SetParent(side);
  list_->SetBorderStyle(bsSingle);
  list_->SetAlign(alClient);
  auto* right = new TWinControl(this);
  right->SetParent(this);
  right->SetAlign(alClient);
  auto* strip = new TWinControl(this);
  strip->SetParent(right);
  strip->SetHeight(HintHeight);
  strip->SetColor(clInfoBk);
  strip->SetAlign(alTop);
  hint_ = new TLabel(this);
  hint_->SetParent(strip);
  hint_->SetLeft(8);
  hint_->SetTop(5);
  panel_ = new TWinControl(this);
  panel_->SetParent(right);
  panel_->SetColor(clBtnFace);
  panel_->SetAlign(alClient);
  ApplyFilter();
  if (PageCount() > 0) SelectPage(0);
}

void TMainForm::ApplyFilter() {
  const std::string query = search_->GetText();
  const auto& pages = SortedPages();
  listed_.clear();
  for (int i = 0; i < static_cast<int>(pages.size()); ++i)
    if (NameMatches(pages[i].name, query)) listed_.push_back(i);
  list_->Invalidate();
}

void TMainForm::StepPage(int Delta) {
  if (listed_.empty()) return;
  auto at = std::find(listed_.begin(), listed_.end(), selected_);
  if (at == listed_.end()) {  // the shown page is filtered out: start at an end
    SelectPage(Delta > 0 ? listed_.front() : listed_.back());
    return;
  }
  int row = static_cast<int>(at - listed_.begin()) + Delta;
  if (row >= 0 && row < static_cast<int>(listed_.size())) SelectPage(listed_[row]);
}

void TMainForm::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && (Key == VK_NEXT || Key == VK_PRIOR)) {
    StepPage(Key == VK_NEXT ? 1 : -1);
    Key = 0;
  }
  TForm::KeyDown(Key, Shift);
}

std::string TMainForm::PageHint() const {
  return selected_ >= 0 && selected_ < PageCount() ? SortedPages()[selected_].hint : std::string();
}

int TMainForm::PageCount() const { return static_cast<int>(SortedPages().size()); }

std::string TMainForm::PageName(int Index) const {
  return Index >= 0 && Index < PageCount() ? SortedPages()[Index].name : std::string();
}

void TPumping::Pump() {
  TPumping pumping;
  Application->ProcessMessages();
}

// A page in the middle of long work stays until the work is done.
void TMainForm::SelectPage(int Index) {
  if (TPumping::Active() || Index == selected_ || Index < 0 || Index >= PageCount()) return;
  selected_ = Index;
  // A page's controls are owned by the panel: free them all, build anew.
  panel_->DestroyComponents();
  SortedPages()[Index].build(panel_);
  panel_->Invalidate();
  list_->Invalidate();
  hint_->SetCaption(PageHint().empty() ? std::string() : "Try: " + PageHint());
  SetCaption("libqel gallery - " + PageName(Index));
}

void TMainForm::SaveScreenshot(const std::string& FileName) { FrameBuffer().SaveToFile(FileName); }

}  // namespace gallery
