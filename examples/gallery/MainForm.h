// The gallery's main form: a search field over the list of pages on the
// left, the selected page on the right under a line on what to try there.
// Ctrl+Page Down / Ctrl+Page Up step through the listed pages from anywhere.
// Nothing is kept on disk between runs.
#pragma once
#include <string>
#include <vector>

#include "platform/controls/Forms.h"

namespace qel {
class TEdit;
class TLabel;
}  // namespace qel

namespace gallery {

class TPageList;

class TMainForm : public qel::TForm {
 public:
  explicit TMainForm(qel::TComponent* AOwner);
  // Pages by index in the full, sorted list, whatever the search shows.
  int PageCount() const;
  std::string PageName(int Index) const;
  // Refused while a page's long work lets input through (TPumping).
  void SelectPage(int Index);
  int SelectedPage() const { return selected_; }
  void SaveScreenshot(const std::string& FileName);
  // The panel the selected page's controls are placed on.
  qel::TWinControl* PagePanel() const { return panel_; }

  // The pages the search field lets through, in list order.
  const std::vector<int>& ListedPages() const { return listed_; }
  qel::TEdit* SearchField() const { return search_; }
  std::string PageHint() const;
  // Moves the selection by Delta rows of the listed pages.
  void StepPage(int Delta);

 protected:
  void KeyDown(uint16_t& Key, qel::TShiftState Shift) override;

 private:
  static constexpr int SearchHeight = 24, HintHeight = 24;
  void ApplyFilter();
  TPageList* list_;
  qel::TEdit* search_;
  qel::TLabel* hint_;
  qel::TWinControl* panel_;
  std::vector<int> listed_;
  int selected_ = -1;
};

}  // namespace gallery
