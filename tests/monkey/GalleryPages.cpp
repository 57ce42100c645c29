#include "GalleryPages.h"

#include <cstdio>
#include <string>

#include "../../examples/gallery/MainForm.h"
#include "GalleryDriver.h"
#include "browsers/QEL_FolderTree.h"
#include "browsers/QEL_Thumbnails.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/stdctrls/Label.h"

using namespace qel;

namespace monkey {
namespace {

using qel::test::TChecker;

std::string Describe(const TRect& R) {
  return "(" + std::to_string(R.Left) + ", " + std::to_string(R.Top) + ")-(" + std::to_string(R.Right) + ", " +
         std::to_string(R.Bottom) + ")";
}

// Every control shown on the page lies inside the panel: nothing is cut off
// at the default window size (a page that scrolls keeps its controls inside
// its scrolling box).
void CheckFits(TChecker& Check, gallery::TMainForm& Form) {
  TWinControl* panel = Form.PagePanel();
  const TRect inside{0, 0, panel->ClientWidth(), panel->ClientHeight()};
  for (int page = 0; page < Form.PageCount(); ++page) {
    Form.SelectPage(page);
    Application->ProcessMessages();
    for (int i = 0; i < panel->ControlCount(); ++i) {
      TControl* c = panel->Controls(i);
      if (!c->GetVisible()) continue;
      const TRect r = c->BoundsRect();
      Check.Expect(r.Left >= inside.Left && r.Top >= inside.Top && r.Right <= inside.Right && r.Bottom <= inside.Bottom,
                   "page \"" + Form.PageName(page) + "\": a " + c->ClassName() + " at " + Describe(r) +
                       " reaches beyond the panel " + Describe(inside));
    }
  }
}

// Black text across the middle of the viewer (a blank viewer is all ground).
int DarkPixelsInTheMiddle(TTestRobot& Robot, TThumbnails* Thumbs) {
  int dark = 0;
  const int cx = Thumbs->GetWidth() / 2, cy = Thumbs->GetHeight() / 2;
  for (int y = cy - 10; y <= cy + 10; ++y)
    for (int x = cx - 120; x <= cx + 120; ++x)
      if (Robot.PixelAt(Thumbs, x, y) == 0x000000) ++dark;
  return dark;
}

// The sample folder opens with its subfolders shown; the first, "Empty
// folder", is one key away and the viewer then says it has no pictures.
void CheckEmptyFolder(TChecker& Check, gallery::TMainForm& Form) {
  for (int page = 0; page < Form.PageCount(); ++page)
    if (Form.PageName(page) == "Browsers") Form.SelectPage(page);
  Application->ProcessMessages();
  auto* tree = qel::test::FindOn<TFolderTree>(Form.PagePanel());
  auto* thumbs = qel::test::FindOn<TThumbnails>(Form.PagePanel());
  Check.Expect(tree && thumbs, "the \"Browsers\" page has a folder tree and a thumbnail viewer");
  if (!tree || !thumbs) return;
  TTestRobot robot;
  tree->SetFocus();
  robot.Key(VK_DOWN);
  Application->ProcessMessages();
  const std::string path = tree->CurrentPath();
  Check.Expect(path.size() > 14 && path.compare(path.size() - 14, 14, "/Empty folder/") == 0,
               "Down from the sample folder selects its \"Empty folder\", not " + path);
  Check.Expect(DarkPixelsInTheMiddle(robot, thumbs) > 20, "an empty folder shows \"No pictures in this folder\"");
  auto* status = qel::test::FindOn<TLabel>(Form.PagePanel());
  Check.Expect(status && status->GetCaption().rfind("0 pictures", 0) == 0, "the status counts no pictures");
  robot.Key(VK_DOWN);  // "More pictures": the viewer is usable again
  Application->ProcessMessages();
  Check.Expect(status && status->GetCaption().rfind("12 pictures", 0) == 0, "the next folder shows its 12 pictures");
}

}  // namespace

int CheckGalleryPages() {
  TChecker check{"gallery pages"};
  auto* form = new gallery::TMainForm(nullptr);
  form->Show();
  Application->ProcessMessages();
  CheckFits(check, *form);
  CheckEmptyFolder(check, *form);
  delete form;
  Application->ProcessMessages();
  return check.failures;
}

}  // namespace monkey
