// A marker selector on a shown form at (10, 10), with a robot and a log of
// the events it fires.
#pragma once
#include <string>
#include <vector>

#include "pickers/QEL_marksel.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

struct MarkSelFixture {
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  TMarkSel* ms = new TMarkSel(form);
  std::vector<std::string> log;
  int paints = 0;

  MarkSelFixture() {
    form->SetBounds(100, 80, 400, 300);
    ms->SetParent(form);
    ms->SetLeft(10);
    ms->SetTop(10);
    ms->OnClick = [this](TObject*) { log.push_back("OnClick"); };
    ms->OnDblClick = [this](TObject*) { log.push_back("OnDblClick"); };
    ms->OnMarkClick = [this](TObject*, int x, int y, int mark) { Add("OnMarkClick", x, y, mark); };
    ms->OnMarkDblClick = [this](TObject*, int x, int y, int mark) { Add("OnMarkDblClick", x, y, mark); };
    ms->OnPaint = [this](TObject*) { ++paints; };
    form->Show();
    Application->ProcessMessages();
  }
  ~MarkSelFixture() { delete form; }
  void Add(const char* what, int x, int y, int mark) {
    log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::to_string(mark));
  }
  // Two presses in a row at one time make a double click.
  void Pause() { Headless().AdvanceTime(DoubleClickTimeMs + 1); }
  void ClickAt(int x, int y) {
    Pause();
    robot.Click(ms, x, y);
  }
  TColor At(int x, int y) { return robot.PixelAt(ms, x, y); }
};

}  // namespace qel::test
