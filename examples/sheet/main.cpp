// Renders a sheet of drawing primitives and text to a PNG and prints its path.
//   qel-sheet [FILE]              writes FILE (default sheet.png)
//   qel-sheet --screenshot DIR    writes DIR/sheet.png
#include <cstdio>
#include <exception>
#include <string>

#include "../ProgramArgs.h"
#include "../gallery/Sheet.h"

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-sheet", "A sheet of drawing primitives and text, as a PNG.", "[FILE]", 1,
                                   "writes FILE (default sheet.png)"};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const std::string path = args.Headless()          ? args.ScreenshotDir + "/sheet.png"
                           : args.Operands.empty() ? std::string("sheet.png")
                                                   : args.Operands[0];
  try {
    qel::TBitmap sheet(gallery::SheetWidth, gallery::SheetHeight);
    gallery::DrawSheet(*sheet.Canvas());
    sheet.SaveToFile(path);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qel-sheet: %s\n", e.what());
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
