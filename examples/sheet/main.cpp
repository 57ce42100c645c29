// Renders a sheet of drawing primitives and text to a PNG and prints its path.
#include <cstdio>
#include <exception>

#include "../gallery/Sheet.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "sheet.png";
  try {
    qel::TBitmap sheet(gallery::SheetWidth, gallery::SheetHeight);
    gallery::DrawSheet(*sheet.Canvas());
    sheet.SaveToFile(path);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qel-sheet: %s\n", e.what());
    return 1;
  }
  std::printf("%s\n", path);
  return 0;
}
