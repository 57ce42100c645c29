// A shown form with a robot for the numeric-field tests.
#pragma once
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

struct NumFormFixture {
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  NumFormFixture() {
    form->SetBounds(100, 100, 400, 300);
    Clipboard()->SetAsText("");
    Headless().ResetBeeps();
  }
  ~NumFormFixture() { delete form; }
};

}  // namespace qel::test
