// Page "Browsers": a folder tree on the left; on the right a thumbnail viewer
// with the PNG and BMP pictures of the selected folder, scrolled by the wheel
// and a scroll bar, single or multiple selection, and the file under the
// mouse named above it. The page opens on a folder of sample pictures.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "../Gallery.h"
#include "BrowsersSamples.h"
#include "ScaledImageCache.h"
#include "browsers/QEL_FolderTree.h"
#include "browsers/QEL_Thumbnails.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ScrollBars.h"
#include "platform/rtl/Utf8.h"

using namespace qel;

namespace {

// A vertical scroll bar as a control of its own; it also takes the focus so
// that the wheel reaches the viewer it scrolls.
class TSlideScrollBar : public TCustomControl {
 public:
  explicit TSlideScrollBar(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    bar_.OnInvalidate = [this] { Invalidate(); };
  }
  TClientScrollBar& Bar() { return bar_; }
  void SetBounds(int l, int t, int w, int h) override {
    TCustomControl::SetBounds(l, t, w, h);
    bar_.SetBounds({0, 0, w, h});
  }

 protected:
  void Paint() override { bar_.Paint(Canvas()); }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    SetFocus();
    if (b == mbLeft) bar_.MouseDown({x, y});
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseMove(TShiftState s, int x, int y) override {
    if (bar_.Tracking()) bar_.MouseMove({x, y});
    TCustomControl::MouseMove(s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    if (bar_.Tracking()) bar_.MouseUp({x, y});
    TCustomControl::MouseUp(b, s, x, y);
  }

 private:
  TClientScrollBar bar_{sbVertical};
};

bool IsPicture(const std::filesystem::path& p) {
  std::string ext = LowerCase(p.extension().string());
  return ext == ".png" || ext == ".bmp" || ext == ".jpg" || ext == ".jpeg";
}

// The page's state; owned by the panel, so it goes with the page.
class TBrowsersPage : public TComponent {
 public:
  explicit TBrowsersPage(TWinControl* panel) : TComponent(panel), cache_(1024) {
    // The controls are this page's, so they go before it does.
    status_ = new TLabel(this);
    status_->SetParent(panel);
    status_->SetAutoSize(false);
    status_->SetBounds(8, 8, 520, 18);
    mode_ = new TButton(this);
    mode_->SetParent(panel);
    mode_->SetBounds(560, 4, 250, 24);
    mode_->OnClick = [this](TObject*) { ToggleMode(); };

    tree_ = new TFolderTree(this);
    tree_->SetParent(panel);
    tree_->SetBounds(8, 32, 240, 600);
    tree_->OnDirChanged = [this](TObject*) { ShowFolder(tree_->CurrentPath()); };

    thumbs_ = new TThumbnails(this);
    thumbs_->SetParent(panel);
    thumbs_->SetBounds(256, 32, 540, 600);
    thumbs_->SetSlideSize(100);
    thumbs_->SetSlideMargin(6);
    thumbs_->SetSlideDistance(4);
    thumbs_->SetColorCover(0xD8D8D8);
    thumbs_->SetColorSelected(0xC08040);
    thumbs_->SetAntiAlias(true);
    thumbs_->OnImageRequest = [this](TObject*, int n, TImageRequestProcessing& how, int& mark, TBitmap*& buf) {
      Request(n, how, mark, buf);
    };
    thumbs_->OnSlideRendered = [this](TObject*, TCanvas* canvas, int, int, int) {
      if (cache_.Count() == 0) SayEmpty(*canvas);  // slide 1 stands for the empty folder
    };
    thumbs_->OnFocusChange = [this](TObject*) { UpdateStatus(); };
    thumbs_->OnImageClick = [this](TObject*, int, int, int) { UpdateStatus(); };
    thumbs_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { bar_->SetFocus(); };

    bar_ = new TSlideScrollBar(this);
    bar_->SetParent(panel);
    bar_->SetBounds(796, 32, ScrollBarSize, 600);
    bar_->Bar().OnScroll = [this](int code, int pos) { Scrolled(code, pos); };
    bar_->OnMouseWheel = [this](TObject*, TShiftState, int delta, TPoint, bool& handled) {
      ScrollTo(rows_ - delta / 120.0 / 3);  // a notch: a third of a row
      handled = true;
    };
    UpdateModeButton();
    tree_->SelectPath(gallery::WriteSampleImages());
    if (TTreeNode* samples = tree_->GetSelected()) {  // its subfolders in view
      samples->Expand(false);
      if (TTreeNode* last = samples->GetLastChild()) last->MakeVisible();
    }
  }

 private:
  // --- the folder's pictures ---
  void ShowFolder(const std::string& path) {
    std::vector<std::string> files;
    // A folder that fails while being read shows what was read before: the
    // error-code increment, as a range-for's would throw.
    std::error_code ec;
    for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
      if (std::error_code typeError; it->is_regular_file(typeError) && IsPicture(it->path()))
        files.push_back(it->path().string());
    std::sort(files.begin(), files.end());
    cache_.Reset(std::move(files), thumbs_->GetSlideSize());
    thumbs_->ResetAllSelections();
    thumbs_->SetMax(std::max(1, cache_.Count()));
    rows_ = 0;
    ScrollTo(0);
  }

  void Request(int n, TImageRequestProcessing& how, int& mark, TBitmap*& buf) {
    if (n > cache_.Count()) {
      how = irpShowNothing;  // an empty folder still has slide 1
      return;
    }
    if (TBitmap* picture = cache_.Get(n - 1)) {
      how = irpShowSlide;
      buf = picture;
    } else {
      mark = 4;  // a file that cannot be read: an empty card with a cross
    }
  }

  // Without a word the viewer of an empty folder would be a blank panel.
  void SayEmpty(TCanvas& c) {
    static const std::string text = "No pictures in this folder";
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clWindowText);
    c.TextOut((thumbs_->GetWidth() - c.TextWidth(text)) / 2, (thumbs_->GetHeight() - c.TextHeight(text)) / 2, text);
  }

  // --- scrolling, in rows from the top ---
  int Columns() const { return std::max(1, thumbs_->GetColumns()); }
  int TotalRows() const { return (cache_.Count() + Columns() - 1) / Columns(); }
  int PageRows() const { return std::max(1, (thumbs_->GetHeight() - 20) / thumbs_->Pitch()); }

  void ScrollTo(double rows) {
    rows_ = std::clamp(rows, 0.0, double(std::max(0, TotalRows() - PageRows())));
    const double whole = std::floor(rows_);
    thumbs_->SetFirstThumbIx(1 + whole * Columns() + (rows_ - whole) * Columns());
    TClientScrollBar& b = bar_->Bar();
    b.SetRange(0, std::max(0, TotalRows() - 1));
    b.SetPageSize(PageRows());
    b.SetPosition(int(std::lround(rows_)));
    UpdateStatus();
  }

  void Scrolled(int code, int pos) {
    switch (code) {
      case SB_LINEUP: ScrollTo(rows_ - 1); break;
      case SB_LINEDOWN: ScrollTo(rows_ + 1); break;
      case SB_PAGEUP: ScrollTo(rows_ - PageRows()); break;
      case SB_PAGEDOWN: ScrollTo(rows_ + PageRows()); break;
      case SB_THUMBTRACK: case SB_THUMBPOSITION: ScrollTo(pos); break;
      case SB_TOP: ScrollTo(0); break;
      case SB_BOTTOM: ScrollTo(TotalRows()); break;
      default: break;
    }
  }

  // --- selection mode and status ---
  void ToggleMode() {
    thumbs_->SetSlideSelectMode(thumbs_->GetSlideSelectMode() == ssmSingle ? ssmMultiple : ssmSingle);
    UpdateModeButton();
    UpdateStatus();
  }
  void UpdateModeButton() {
    mode_->SetCaption(thumbs_->GetSlideSelectMode() == ssmSingle ? "Single selection (click: multiple)"
                                                                 : "Multiple selection (click: single)");
  }
  void UpdateStatus() {
    const int n = thumbs_->GetFocusedSlide();
    std::string text = n >= 1 && n <= cache_.Count()
                           ? std::filesystem::path(cache_.File(n - 1)).filename().string()
                           : std::to_string(cache_.Count()) + " pictures";
    text += "   -   " + std::to_string(thumbs_->NumSlidesSelected()) + " selected, " +
            std::to_string(cache_.Decoded()) + " decoded";
    status_->SetCaption(text);
  }

  gallery::TScaledImageCache cache_;
  TLabel* status_ = nullptr;
  TButton* mode_ = nullptr;
  TFolderTree* tree_ = nullptr;
  TThumbnails* thumbs_ = nullptr;
  TSlideScrollBar* bar_ = nullptr;
  double rows_ = 0;
};

gallery::PageRegistration page("Browsers", 40, [](TWinControl* panel) { new TBrowsersPage(panel); },
                            "Pick a folder in the tree, wheel through its thumbnails and point at one for its file name");

}  // namespace
