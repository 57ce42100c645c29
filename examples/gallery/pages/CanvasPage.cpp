// Page "Canvas": the drawing primitives and text of the graphics layer.
#include "../Gallery.h"
#include "../Sheet.h"

using namespace qel;

namespace {
class TSheetView : public TGraphicControl {
 public:
  explicit TSheetView(TComponent* owner) : TGraphicControl(owner) {}

 protected:
  void Paint() override { gallery::DrawSheet(*Canvas()); }
};

gallery::PageRegistration page("Canvas", 0, [](TWinControl* panel) {
  auto* view = new TSheetView(panel);
  view->SetParent(panel);
  view->SetBounds(8, 8, gallery::SheetWidth, gallery::SheetHeight);
},
                            "Resize the window and watch the shapes and text redraw");
}  // namespace
