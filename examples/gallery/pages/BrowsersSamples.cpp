// The "Browsers" page's sample pictures: drawn with our own canvas, plus the
// library's embedded resources.
#include "BrowsersSamples.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <string>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"

using namespace qel;

namespace gallery {

namespace {

constexpr TColor kInks[] = {0x2050C0, 0x30A040, 0xC06020, 0x8030A0, 0x1090C0, 0x606060};

// A soft diagonal blend from one ink to white, a ring, a bar and a number.
void DrawSample(TBitmap& b, int i) {
  const int w = b.GetWidth(), h = b.GetHeight();
  const TColor ink = kInks[i % 6];
  for (int y = 0; y < h; ++y) {
    uint32_t* row = b.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      double t = double(x + y) / (w + h);
      auto mix = [&](int c) { return int(c + (255 - c) * t); };
      row[x] = ColorToPixel(RGB(mix(GetRValue(ink)), mix(GetGValue(ink)), mix(GetBValue(ink))));
    }
  }
  TCanvas& c = *b.Canvas();
  const int r = std::min(w, h) / 3;
  c.Pen()->SetColor(clWhite);
  c.Pen()->SetWidth(3);
  c.Brush()->SetColor(kInks[(i + 3) % 6]);
  c.Ellipse(w / 2 - r, h / 2 - r, w / 2 + r, h / 2 + r);
  c.Pen()->SetWidth(1);
  c.Brush()->SetColor(clWhite);
  c.Rectangle(4, h - 14, 4 + (w - 8) * ((i % 10) + 1) / 10, h - 6);
  c.Font()->SetSize(std::max(8, r / 2));
  c.Font()->SetColor(clWhite);
  c.Brush()->SetStyle(bsClear);
  std::string text = std::to_string(i + 1);
  c.TextOut(w / 2 - c.TextWidth(text) / 2, h / 2 - c.TextHeight(text) / 2, text);
}

// Sizes that make wide, tall and square thumbnails.
TSize SampleSize(int i) {
  static constexpr TSize kSizes[] = {{320, 240}, {180, 320}, {256, 256}, {400, 150}, {120, 200}, {300, 300}};
  return kSizes[i % 6];
}

// The page is built each time it is shown: pictures already there (from an
// earlier visit) are not drawn and encoded again.
bool Missing(const std::filesystem::path& file) {
  std::error_code ec;
  return !std::filesystem::exists(file, ec);
}

void WriteDrawings(const std::filesystem::path& folder, const std::string& stem, int first, int count) {
  for (int i = first; i < first + count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "%s %02d.%s", stem.c_str(), i + 1, i % 3 == 2 ? "bmp" : "png");
    if (!Missing(folder / name)) continue;
    TSize s = SampleSize(i);
    TBitmap b(s.cx, s.cy);
    DrawSample(b, i);
    b.SaveToFile((folder / name).string());
  }
}

void WriteResources(const std::filesystem::path& folder) {
  for (const char* res : {"SEGHORZ", "SEGVERT", "SEGDOT", "SEGCOLON", "SEGDEG", "SEGPLUS"}) {
    const auto file = folder / ("resource " + std::string(res) + ".png");
    if (!Missing(file)) continue;
    TBitmap b;
    try {
      b.LoadFromResourceName(res);
    } catch (const EResNotFound&) {
      continue;
    }
    b.SaveToFile(file.string());
  }
}

// The first free "qel-gallery-N" of the temporary directory, made by this
// program (mkdir fails on a name that exists, a link included), so no other
// program writes into it; removed with everything in it at the program's end.
// Numbers rather than random names: a run in an empty temporary directory
// shows the same names each time (the pictures of the page in docs/).
class TSampleFolder {
 public:
  TSampleFolder() {
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (int n = 1; n < 100000; ++n) {
      std::filesystem::path candidate = temp / ("qel-gallery-" + std::to_string(n));
      if (mkdir(candidate.c_str(), 0700) == 0) {
        path_ = candidate;
        return;
      }
      if (errno != EEXIST) break;
    }
    throw EInOutError("Cannot make a folder for the sample pictures in " + temp.string());
  }
  ~TSampleFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TSampleFolder(const TSampleFolder&) = delete;
  TSampleFolder& operator=(const TSampleFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

std::string WriteSampleImages() {
  namespace fs = std::filesystem;
  static const TSampleFolder samples;  // made at the first visit, removed at exit
  const fs::path& folder = samples.Path();
  fs::create_directories(folder / "More pictures");
  fs::create_directories(folder / "Empty folder");
  WriteDrawings(folder, "Drawing", 0, 36);
  WriteResources(folder);
  WriteDrawings(folder / "More pictures", "Extra", 36, 12);
  std::FILE* note = std::fopen((folder / "not a picture.txt").string().c_str(), "w");
  if (note) {
    std::fputs("The viewer shows PNG and BMP files only.\n", note);
    std::fclose(note);
  }
  return folder.string();
}

}  // namespace gallery
