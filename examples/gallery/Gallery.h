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

// Long work on a page (a million rows) lets input through now and then:
// while a TPumping lives, the page must stay (the main form refuses to
// change pages) and the page's own buttons that would start more work
// refuse. Pump() shows what changed and handles waiting input.
class TPumping {
 public:
  TPumping() { ++depth(); }
  ~TPumping() { --depth(); }
  TPumping(const TPumping&) = delete;
  TPumping& operator=(const TPumping&) = delete;
  static bool Active() { return depth() > 0; }
  static void Pump();

 private:
  static int& depth() {
    static int d = 0;
    return d;
  }
};

// The Tag of a control whose action runs for seconds (a million rows): the
// random tester presses such controls rarely.
constexpr intptr_t kLongWorkTag = 1000000;

// How many rows the "Fill" of the report list writes (checks use fewer).
inline int& BigFillRows() {
  static int rows = 1000000;
  return rows;
}

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
