// The gallery's main form: the list of pages on the left, the selected page
// on the right.
#pragma once
#include <string>

#include "platform/controls/Forms.h"

namespace gallery {

class TPageList;

class TMainForm : public qel::TForm {
 public:
  explicit TMainForm(qel::TComponent* AOwner);
  int PageCount() const;
  std::string PageName(int Index) const;
  void SelectPage(int Index);
  int SelectedPage() const { return selected_; }
  void SaveScreenshot(const std::string& FileName);

 private:
  TPageList* list_;
  qel::TWinControl* panel_;
  int selected_ = -1;
};

}  // namespace gallery
