// The gallery: every component on its own page, live.
//   qel-gallery                  a window (when a display is there), else screenshots
//   qel-gallery --screenshot DIR every page rendered headlessly to DIR/<page>.png
// In a window, QEL_GALLERY_SCREENSHOT=FILE.png saves the last picture on exit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "../ProgramArgs.h"
#include "Gallery.h"
#include "MainForm.h"
#include "platform/controls/Application.h"
#ifdef QEL_HAVE_SDL
#include "platform/hosts/sdl/SdlHost.h"
#endif

using namespace qel;

namespace {
std::string FileNameFor(const std::string& page) {
  std::string out;
  for (char c : page) out += std::isalnum(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : '-';
  return out;
}

int Screenshots(const std::string& dir) {
  std::filesystem::create_directories(dir);
  gallery::TMainForm form(nullptr);
  form.Show();
  for (int i = 0; i < form.PageCount(); ++i) {
    form.SelectPage(i);
    Application->ProcessMessages();
    std::string path = dir + "/" + FileNameFor(form.PageName(i)) + ".png";
    form.SaveScreenshot(path);
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-gallery", "Every component on its own page, live.", "", 0,
                                   "a window (with a display), else every page into build/gallery",
                                   "DIR/<page>.png for every page"};
  const examples::TArgs args = examples::ParseArgsOrExit(argc, argv, program);
  try {
    if (args.Headless()) return Screenshots(args.ScreenshotDir);
#ifdef QEL_HAVE_SDL
    if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) {
      InstallSdlHost();
      auto* form = new gallery::TMainForm(Application);
      Application->CreateForm(form);
      form->Show();
      Application->Run();
      // Lets a test see what the window showed last.
      if (const char* shot = std::getenv("QEL_GALLERY_SCREENSHOT")) form->SaveScreenshot(shot);
      return 0;
    }
#endif
    std::fprintf(stderr, "qel-gallery: no display; writing screenshots to build/gallery\n");
    return Screenshots("build/gallery");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qel-gallery: %s\n", e.what());
    return 1;
  }
}
