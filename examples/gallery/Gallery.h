// The gallery's page registry: each page file registers a name and a
// function that builds the page's controls on a panel.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/stdctrls/Label.h"

namespace gallery {

struct Page {
  std::string name;
  int order;  // pages are listed by order, then name
  std::function<void(qel::TWinControl* panel)> build;
  std::string hint;  // one line on what to try, shown above the page
};

std::vector<Page>& Pages();

struct PageRegistration {
  PageRegistration(std::string name, int order, std::function<void(qel::TWinControl*)> build,
                   std::string hint = {}) {
    Pages().push_back({std::move(name), order, std::move(build), std::move(hint)});
  }
};

// A caption on a page: a label at (X, Y) sized to its text.
inline qel::TLabel* AddLabel(qel::TWinControl* Parent, int X, int Y, const std::string& Text) {
  auto* label = new qel::TLabel(Parent);
  label->SetParent(Parent);
  label->SetLeft(X);
  label->SetTop(Y);
  label->SetCaption(Text);
  return label;
}

}  // namespace gallery
