// A thumbnail viewer on a shown form whose events are logged, for the
// thumbnail tests.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "browsers/QEL_Thumbnails.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

struct ThumbsFixture {
  TForm form{nullptr};
  TThumbnails* t;
  TTestRobot robot;
  std::vector<std::string> log;

  explicit ThumbsFixture(int w = 260, int h = 400) {
    Headless();
    form.SetBounds(0, 0, w + 40, h + 40);
    t = new TThumbnails(&form);
    t->SetParent(&form);
    t->SetBounds(0, 0, w, h);
    form.Show();
    Application->ProcessMessages();
  }

  // Logs "first", "n<ThumbID>" per request and "last".
  void LogRequests() {
    t->OnFirstImageRequest = [this](TObject*) { log.push_back("first"); };
    t->OnLastImageRequest = [this](TObject*) { log.push_back("last"); };
    t->OnImageRequest = [this](TObject*, int n, TImageRequestProcessing&, int&, TBitmap*&) {
      log.push_back(std::to_string(n).insert(0, 1, 'n'));
    };
  }
  std::string TakeLog() {
    std::string s;
    for (auto& e : log) s += e + " ";
    log.clear();
    return s;
  }
  TColor At(int x, int y) { return robot.PixelAt(t, x, y); }
  // The centre of a slide's card.
  TPoint Centre(int n) {
    int x = 0, y = 0;
    t->CalcSlidePos(n, x, y);
    int half = t->GetSlideMargin() + t->GetSlideSize() / 2;
    return {x + half, y + half};
  }
  void ClickSlide(int n, TShiftState shift = {}) {
    TPoint p = Centre(n);
    robot.Click(t, p.X, p.Y, mbLeft, shift);
  }
};

// A bitmap filled with one colour.
inline std::unique_ptr<TBitmap> SolidBitmap(int w, int h, TColor c) {
  auto b = std::make_unique<TBitmap>(w, h);
  b->Canvas()->Brush()->SetColor(c);
  b->Canvas()->FillRect({0, 0, w, h});
  return b;
}

}  // namespace qel::test
