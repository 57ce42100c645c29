// qel-draw-resources: draws every registered picture and writes it as
// <folder>/<name in lower case>.png (the build target of the same name
// passes the resources folder).
#include <cstdio>
#include <exception>

#include "resources/art/PictureArt.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  try {
    for (const qel::art::TPicture& p : qel::art::Pictures()) {
      std::string file = qel::art::FileNameOf(argv[1], p);
      qel::art::Render(p)->SaveToFile(file);
      std::printf("%s\n", file.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
