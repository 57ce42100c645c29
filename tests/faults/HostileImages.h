// Picture files a careless user or a hostile sender hands over: empty,
// truncated, lying about their size, absurdly large, and names that lead to
// an endless device or a pipe nobody writes to. Shared by the tests of every
// component that loads image files.
#pragma once
#include <cstdint>
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

// A decompression bomb: a PNG of Side x Side black 1-bit pixels, a few tens
// of kilobytes that decode to Side * Side pixels (16384: 32 KB of file, a
// gigabyte of bitmap).
void WritePngBomb(const std::string& Path, uint32_t Side);

// A Width x Height picture of one colour (0x00RRGGBB) saved as Path; the
// extension picks PNG or BMP.
void WriteSolidImage(const std::string& Path, int Width, int Height, uint32_t Pixel);

}  // namespace qel::test
