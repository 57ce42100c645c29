// Page "Standard controls": the platform's own controls, one section per
// group; each section lives in a file of its own.
#include "../Gallery.h"
#include "StdLabelsButtons.h"

using namespace qel;

namespace {
gallery::PageRegistration page("Standard controls", 2, [](TWinControl* panel) {
  int bottom = gallery::BuildLabelsAndButtons(panel, Rect(12, 8, 820, 640));
  (void)bottom;  // later sections start below this
},
                            "Tab through the controls and try each with the mouse and the keyboard");
}  // namespace
