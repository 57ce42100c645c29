// Shared helpers for the standard controls tests: a shown form with a
// robot, and where the ink of a picture lies.
#pragma once
#include <memory>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

struct FormFixture {
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  FormFixture() {
    form->SetBounds(100, 80, 400, 300);
    form->Show();
  }
  ~FormFixture() { delete form; }
};

// The smallest rectangle holding every pixel of Picture that differs from
// Background (empty when there is none).
inline TRect InkBounds(const TBitmap& Picture, TColor Background) {
  uint32_t bg = ColorToPixel(Background);
  TRect r{};
  bool any = false;
  for (int y = 0; y < Picture.GetHeight(); ++y)
    for (int x = 0; x < Picture.GetWidth(); ++x) {
      if (Picture.ScanLine(y)[x] == bg) continue;
      r = any ? UnionRect(r, Bounds(x, y, 1, 1)) : Bounds(x, y, 1, 1);
      any = true;
    }
  return r;
}

inline int CountPixels(const TBitmap& Picture, TColor Color) {
  uint32_t p = ColorToPixel(Color);
  int n = 0;
  for (int y = 0; y < Picture.GetHeight(); ++y)
    for (int x = 0; x < Picture.GetWidth(); ++x) n += Picture.ScanLine(y)[x] == p;
  return n;
}

}  // namespace qel::test
