// A folder browser: the folder tree on the left, the pictures of the
// selected folder (PNG, BMP, JPEG) as thumbnails on the right.
//   qel-browser [FOLDER]              a window (built with the SDL host, qel::sdl)
//   qel-browser --screenshot DIR      no window: browses a temporary folder of three
//                                     pictures it makes (and removes), writes DIR/browser.png
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;
namespace fs = std::filesystem;

// The files the browser shows: PNG, BMP and JPEG, by their names in any case.
bool IsPicture(const fs::path& File) {
  std::string ext = File.extension().string();
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".png" || ext == ".bmp" || ext == ".jpg" || ext == ".jpeg";
}

// Three small pictures in Folder/pictures, for the headless run.
void MakeSamples(const fs::path& Folder) {
  fs::create_directories(Folder / "pictures");
  const TColor colours[] = {0x3050E0, 0x40B040, 0xE08030};  // $00BBGGRR
  for (int i = 0; i < 3; ++i) {
    TBitmap b;
    b.SetSize(80, 60);
    b.Canvas()->Brush()->SetColor(colours[i]);
    b.Canvas()->FillRect({0, 0, 80, 60});
    b.SaveToFile((Folder / "pictures" / ("sample" + std::to_string(i + 1) + ".png")).string());
  }
}

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-browser", "A folder tree beside thumbnails of the selected folder's pictures (PNG, BMP, JPEG).",
                                   "[FOLDER]", 1, "a window on FOLDER (default: the current folder)"};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  const fs::path temp = fs::temp_directory_path() / ("qel-browser-" + std::to_string(getpid()));
  if (headless) MakeSamples(temp);
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 560, 320);
  form->SetCaption("libqel browser");
  //! [tree]
  auto* tree = new TFolderTree(form);
  tree->SetParent(form);
  tree->SetBounds(8, 8, 200, 304);
  //! [tree]
  //! [thumbs]
  auto* thumbs = new TThumbnails(form);
  thumbs->SetParent(form);
  thumbs->SetBounds(216, 8, 336, 304);
  thumbs->SetSlideSize(90);
  //! [thumbs]

  std::vector<std::unique_ptr<TBitmap>> pictures;  // the selected folder's, slide i is pictures[i - 1]
  tree->OnDirChanged = [&](TObject*) {
    pictures.clear();
    std::error_code ec;  // an unreadable folder shows no pictures, a failing one what was read
    for (fs::directory_iterator it(tree->CurrentPath(), ec), end; !ec && it != end; it.increment(ec)) {
      if (!IsPicture(it->path())) continue;
      auto b = std::make_unique<TBitmap>();
      try { b->LoadPreviewFromFile(it->path().string(), 90); } catch (const std::exception&) { continue; }
      pictures.push_back(std::move(b));
    }
    thumbs->SetMax(std::max<int>(1, int(pictures.size())));
    thumbs->Invalidate();
  };
  thumbs->OnSlideRendered = [&](TObject*, TCanvas* Canvas, int, int, int) {
    if (!pictures.empty()) return;  // slide 1 stands for the empty folder: say so
    const std::string text = "No pictures in this folder";
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut((thumbs->GetWidth() - Canvas->TextWidth(text)) / 2,
                    (thumbs->GetHeight() - Canvas->TextHeight(text)) / 2, text);
  };
  //! [request]
  thumbs->OnImageRequest = [&](TObject*, int Id, TImageRequestProcessing& How, int&, TBitmap*& Img) {
    if (Id < 1 || Id > int(pictures.size())) return void(How = irpShowNothing);
    How = irpShowSlide;
    Img = pictures[Id - 1].get();  // ours: no copy
  };
  //! [request]
  Application->CreateForm(form);
  form->Show();
  tree->SelectPath(headless                 ? temp.string()
                  : args.Operands.empty() ? fs::current_path().string()
                                          : fs::absolute(args.Operands[0]).string());
  if (!headless) return Application->Run(), 0;
  TTestRobot robot;  // input through the same path a user's takes
  tree->SetFocus();
  robot.Key(VK_RIGHT);  // opens the folder
  robot.Key(VK_DOWN);   // and moves into "pictures"
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/browser.png");
  std::printf("%s: %zu pictures\n", fs::path(tree->CurrentPath()).parent_path().filename().c_str(), pictures.size());
  fs::remove_all(temp);
}
