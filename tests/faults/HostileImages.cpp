#include "HostileImages.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include <zlib.h>

#include "platform/graphics/ImageCodecs.h"

namespace qel::test {
namespace {

using Bytes = std::vector<uint8_t>;

void Save(const std::string& Path, const Bytes& B) {
  std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(B.data()), std::streamsize(B.size()));
}

void Put32(Bytes& B, size_t At, uint32_t V, bool BigEndian) {
  for (int i = 0; i < 4; ++i) B[At + i] = uint8_t(V >> (BigEndian ? 24 - 8 * i : 8 * i));
}

uint32_t Crc32(const uint8_t* P, size_t N) {
  uint32_t c = 0xFFFFFFFF;
  for (size_t i = 0; i < N; ++i) {
    c ^= P[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

// A well-formed PNG header chunk for Width x Height 8-bit RGB, then IEND.
Bytes PngClaiming(uint32_t Width, uint32_t Height) {
  Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  b.resize(b.size() + 13);
  Put32(b, 16, Width, true);
  Put32(b, 20, Height, true);
  b[24] = 8;  // bit depth
  b[25] = 2;  // RGB
  b.resize(b.size() + 4);
  Put32(b, 29, Crc32(&b[12], 17), true);
  const uint8_t iend[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  b.insert(b.end(), std::begin(iend), std::end(iend));
  return b;
}

// A 32-bit BMP header claiming Width x Height, with Extra bytes of pixels.
Bytes BmpClaiming(int32_t Width, int32_t Height, size_t Extra) {
  Bytes b(54 + Extra, 0x7F);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, uint32_t(b.size()), false);
  Put32(b, 6, 0, false);
  Put32(b, 10, 54, false);
  Put32(b, 14, 40, false);
  Put32(b, 18, uint32_t(Width), false);
  Put32(b, 22, uint32_t(Height), false);
  b[26] = 1;
  b[27] = 0;
  b[28] = 32;
  b[29] = 0;
  for (size_t i = 30; i < 54; ++i) b[i] = 0;
  return b;
}

void PutChunk(Bytes& B, const char* Type, const Bytes& Data) {
  size_t at = B.size();
  B.resize(at + 8 + Data.size() + 4);
  Put32(B, at, uint32_t(Data.size()), true);
  std::copy(Type, Type + 4, B.begin() + long(at) + 4);
  std::copy(Data.begin(), Data.end(), B.begin() + long(at) + 8);
  Put32(B, at + 8 + Data.size(), Crc32(&B[at + 4], 4 + Data.size()), true);
}

// Side rows of (filter byte 0, Side / 8 zero bytes), deflated a row at a time.
Bytes DeflatedBlankRows(uint32_t Side) {
  const Bytes row(1 + (Side + 7) / 8, 0);
  z_stream z{};
  deflateInit(&z, 9);
  Bytes out;
  uint8_t chunk[16384];
  for (uint32_t y = 0; y < Side; ++y) {
    z.next_in = const_cast<uint8_t*>(row.data());
    z.avail_in = uInt(row.size());
    const int flush = y + 1 == Side ? Z_FINISH : Z_NO_FLUSH;
    do {
      z.next_out = chunk;
      z.avail_out = sizeof chunk;
      deflate(&z, flush);
      out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  return out;
}

Bytes Encoded(bool Png, int Side) {
  std::vector<uint32_t> pixels(size_t(Side) * Side, 0x336699);
  return Png ? EncodePng(Side, Side, pixels.data()) : EncodeBmp(Side, Side, pixels.data());
}

}  // namespace

void WritePngBomb(const std::string& Path, uint32_t Side) {
  Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes header(13, 0);
  Put32(header, 0, Side, true);
  Put32(header, 4, Side, true);
  header[8] = 1;  // bit depth; colour type 0: grey
  PutChunk(b, "IHDR", header);
  PutChunk(b, "IDAT", DeflatedBlankRows(Side));
  PutChunk(b, "IEND", {});
  Save(Path, b);
}

void WriteSolidImage(const std::string& Path, int Width, int Height, uint32_t Pixel) {
  TBitmap img(Width, Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) img.ScanLine(y)[x] = Pixel;
  img.SaveToFile(Path);
}

std::vector<BadImageFile> WriteBadImageFiles(const std::string& Folder) {
  std::vector<BadImageFile> out;
  auto add = [&](const std::string& What, const std::string& Name, const Bytes& B) {
    Save(Folder + "/" + Name, B);
    out.push_back({What, Folder + "/" + Name});
  };
  add("empty file", "empty.png", {});
  add("text, not a picture", "text.bmp", Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
  Bytes png = Encoded(true, 64), bmp = Encoded(false, 64);
  add("PNG cut in half", "half.png", Bytes(png.begin(), png.begin() + png.size() / 2));
  add("PNG cut after its header", "header-only.png", Bytes(png.begin(), png.begin() + 33));
  add("BMP cut in half", "half.bmp", Bytes(bmp.begin(), bmp.begin() + bmp.size() / 2));
  add("BMP claiming 4000 x 4000 in a few bytes", "lying.bmp", BmpClaiming(4000, 4000, 16));
  add("BMP claiming 70000 x 70000", "huge.bmp", BmpClaiming(70000, 70000, 16));
  add("BMP claiming a negative width", "negative.bmp", BmpClaiming(-5, 5, 100));
  add("PNG claiming 1000000 x 1000000", "huge.png", PngClaiming(1000000, 1000000));
  add("PNG claiming 20000 x 20000 with no data", "lying.png", PngClaiming(20000, 20000));
  WritePngBomb(Folder + "/bomb.png", 12000);
  out.push_back({"PNG of 12000 x 12000 blank pixels in a few kilobytes", Folder + "/bomb.png"});
  const std::string fifo = Folder + "/pipe.png";
  if (::mkfifo(fifo.c_str(), 0600) == 0) out.push_back({"a pipe nobody writes to", fifo});
  struct stat st {};
  if (::stat("/dev/zero", &st) == 0) out.push_back({"an endless device", "/dev/zero"});
  return out;
}

}  // namespace qel::test
