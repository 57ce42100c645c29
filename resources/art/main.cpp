// qel-resource-painter: draws every registered picture and writes it as
// FOLDER/<name in lower case>.png (the build target qel-draw-resources
// passes the resources folder).
//   qel-resource-painter FOLDER            writes the pictures into FOLDER
//   qel-resource-painter --screenshot DIR  the same, into DIR
#include <cstdio>
#include <exception>
#include <string>

#include "../../examples/ProgramArgs.h"
#include "resources/art/PictureArt.h"

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-resource-painter", "Draws the library's resource pictures as PNG files.",
                                   "FOLDER", 1, "writes FOLDER/<picture>.png for every picture",
                                   "DIR/<picture>.png for every picture"};
  const examples::TArgs args = examples::ParseArgsOrExit(argc, argv, program);
  if (!args.Headless() && args.Operands.empty()) examples::UsageError(program, "no folder given");
  const std::string folder = args.Headless() ? args.ScreenshotDir : args.Operands[0];
  try {
    for (const qel::art::TPicture& p : qel::art::Pictures()) {
      std::string file = qel::art::FileNameOf(folder, p);
      qel::art::Render(p)->SaveToFile(file);
      std::printf("%s\n", file.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", program.Name, e.what());
    return 1;
  }
  return 0;
}
