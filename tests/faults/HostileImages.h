// Picture files a careless user or a hostile sender hands over: empty,
// truncated, lying about their size, absurdly large, and names that lead to
// an endless device or a pipe nobody writes to. Shared by the tests of every
// component that loads image files.
#pragma once
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"

namespace qel::test {

struct BadImageFile {
  std::string What;  // for the test's trace
  std::string Path;
};

// Writes the bad files into Folder (the device is /dev/zero, when there is
// one) and returns them all.
std::vector<BadImageFile> WriteBadImageFiles(const std::string& Folder);

// A Width x Height picture of one colour (0x00RRGGBB) saved as Path; the
// extension picks PNG or BMP.
void WriteSolidImage(const std::string& Path, int Width, int Height, uint32_t Pixel);

}  // namespace qel::test
