#include "resources/art/PictureArt.h"

#include <cctype>

namespace qel::art {

namespace {
std::vector<TPicture>& Registry() {
  static std::vector<TPicture> pictures;
  return pictures;
}
}  // namespace

const std::vector<TPicture>& Pictures() { return Registry(); }

TFamily::TFamily(std::vector<TPicture> Members) {
  for (TPicture& p : Members) Registry().push_back(std::move(p));
}

std::unique_ptr<TBitmap> Render(const TPicture& Picture) {
  auto bmp = std::make_unique<TBitmap>(Picture.Width, Picture.Height);
  TCanvas& c = *bmp->Canvas();
  c.Brush()->SetColor(clWhite);
  c.FillRect({0, 0, Picture.Width, Picture.Height});
  Picture.Draw(c);
  return bmp;
}

std::string FileNameOf(const std::string& Folder, const TPicture& Picture) {
  std::string name = Picture.Name;
  for (char& ch : name) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return Folder + "/" + name + ".png";
}

}  // namespace qel::art
