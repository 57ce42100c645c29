// A colour selector on a shown form, with a robot, a log of the names it
// generates, and the item texts of its list.
#pragma once
#include <string>
#include <vector>

#include "pickers/QEL_Colsel.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

struct ColSelFixture {
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  TColSel* sel = new TColSel(form);
  std::vector<std::string> generated;  // every name OnColorNameChange saw

  ColSelFixture() {
    form->SetBounds(100, 80, 400, 300);
    sel->SetParent(form);
    sel->SetBounds(20, 30, 180, sel->GetHeight());
    sel->OnColorNameChange = [this](TObject*, std::string& name) { generated.push_back(name); };
    form->Show();
  }
  ~ColSelFixture() {
    Headless().OnModal = nullptr;
    delete form;
  }
  std::vector<std::string> ItemTexts() const {
    std::vector<std::string> out;
    for (int i = 0; i < sel->Items()->Count(); ++i) out.push_back(sel->Items()->Get(i));
    return out;
  }
  // Two presses in a row at one time make a double click.
  void Pause() { Headless().AdvanceTime(DoubleClickTimeMs + 1); }
};

}  // namespace qel::test
