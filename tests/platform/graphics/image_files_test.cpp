// TBitmap's image files: saving and loading through files, streams and
// embedded resources, and failed loads that must leave the bitmap alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/Resources.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

using namespace qel;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// A stream over a byte vector, so these tests need no concrete stream class.
class VectorStream : public TStream {
 public:
  explicit VectorStream(Bytes data = {}) : data_(std::move(data)) {}
  int64_t Read(void* Buffer, int64_t Count) override {
    int64_t n = std::min<int64_t>(Count, int64_t(data_.size()) - pos_);
    std::copy_n(data_.begin() + pos_, n, static_cast<uint8_t*>(Buffer));
    pos_ += n;
    return n;
  }
  int64_t Write(const void* Buffer, int64_t Count) override {
    auto* p = static_cast<const uint8_t*>(Buffer);
    if (pos_ + Count > int64_t(data_.size())) data_.resize(size_t(pos_ + Count));
    std::copy_n(p, Count, data_.begin() + pos_);
    pos_ += Count;
    return Count;
  }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
    pos_ = (Origin == soBeginning ? 0 : Origin == soCurrent ? pos_ : int64_t(data_.size())) + Offset;
    return pos_;
  }
  const Bytes& Data() const { return data_; }

 private:
  Bytes data_;
  int64_t pos_ = 0;
};

class ImageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qel-image-files-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    // A 3 x 2 picture with six different colours.
    picture_.SetSize(3, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) picture_.ScanLine(y)[x] = uint32_t(0x102030 * (x + 1) + 0x400000 * y);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void WriteAll(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  static std::vector<uint32_t> Pixels(const TBitmap& b) {
    std::vector<uint32_t> all;
    for (int y = 0; y < b.GetHeight(); ++y) all.insert(all.end(), b.ScanLine(y), b.ScanLine(y) + b.GetWidth());
    return all;
  }

  fs::path dir_;
  TBitmap picture_;
};

}  // namespace

TEST_F(ImageFiles, SaveToFileChoosesTheFormatByExtensionAndLoadsBack) {
  struct Case {
    const char* name;
    uint8_t first;  // 'B' for BMP, 0x89 for PNG
  };
  for (Case c : {Case{"a.bmp", 'B'}, Case{"b.png", 0x89}, Case{"c.PnG", 0x89}, Case{"d.dat", 'B'}}) {
    picture_.SaveToFile(Path(c.name));
    EXPECT_EQ(ReadAll(Path(c.name)).at(0), c.first) << c.name;
    TBitmap loaded;
    loaded.LoadFromFile(Path(c.name));
    EXPECT_EQ(loaded.GetWidth(), 3) << c.name;
    EXPECT_EQ(loaded.GetHeight(), 2) << c.name;
    EXPECT_EQ(Pixels(loaded), Pixels(picture_)) << c.name;
  }
  EXPECT_THROW(TBitmap().SaveToFile(Path("empty.bmp")), EInvalidGraphic);
}

TEST_F(ImageFiles, FilesThatCannotBeOpenedRaiseEFOpenError) {
  TBitmap b;
  try {
    b.LoadFromFile(Path("missing.bmp"));
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + Path("missing.bmp") + "\". No such file or directory");
  }
  EXPECT_THROW(picture_.SaveToFile(Path("no-such-folder/x.bmp")), EFOpenError);
}

// Files are read whole: an endless device, a pipe with no writer (opening it
// would wait forever) and a file larger than any picture are refused before
// their bytes are read, and the bitmap keeps its picture.
TEST_F(ImageFiles, DevicesPipesAndOversizedFilesAreRefusedUnread) {
  std::vector<uint32_t> before = Pixels(picture_);
  ASSERT_EQ(mkfifo(Path("pipe.png").c_str(), 0600), 0);
  {
    std::ofstream(Path("sparse.bmp")) << "BM";
  }
  ASSERT_EQ(truncate(Path("sparse.bmp").c_str(), int64_t(3) << 30), 0);  // 3 GiB, no disk used
  try {
    picture_.LoadFromFile(Path("pipe.png"));
    ADD_FAILURE() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot read file \"" + Path("pipe.png") + "\". It is not a regular file");
  }
  if (fs::exists("/dev/zero")) {
    EXPECT_THROW(picture_.LoadFromFile("/dev/zero"), EFOpenError);
  }
  try {
    picture_.LoadFromFile(Path("sparse.bmp"));
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Invalid image: file \"" + Path("sparse.bmp") + "\" is too large for a picture");
  }
  EXPECT_EQ(Pixels(picture_), before);
}

TEST_F(ImageFiles, StreamsCarryBmpFromTheCurrentPosition) {
  VectorStream stream(Bytes{'x', 'y'});
  stream.Seek(0, soEnd);
  picture_.SaveToStream(stream);
  EXPECT_EQ(stream.Data().at(2), 'B');
  stream.SetPosition(2);
  TBitmap loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(Pixels(loaded), Pixels(picture_));
}

TEST_F(ImageFiles, FailedLoadsLeaveTheBitmapAsItWas) {
  std::vector<uint32_t> before = Pixels(picture_);
  picture_.SaveToFile(Path("good.bmp"));
  Bytes good = ReadAll(Path("good.bmp"));
  Bytes truncated(good.begin(), good.end() - 10);
  WriteAll(Path("bad.bmp"), truncated);
  WriteAll(Path("text.bmp"), Bytes{'h', 'e', 'l', 'l', 'o'});
  WriteAll(Path("empty.bmp"), {});

  for (const char* name : {"bad.bmp", "text.bmp", "empty.bmp"}) {
    EXPECT_THROW(picture_.LoadFromFile(Path(name)), EInvalidGraphic) << name;
    EXPECT_EQ(picture_.GetWidth(), 3);
    EXPECT_EQ(picture_.GetHeight(), 2);
    EXPECT_EQ(Pixels(picture_), before) << name;
  }
  VectorStream stream(truncated);
  EXPECT_THROW(picture_.LoadFromStream(stream), EInvalidGraphic);
  EXPECT_EQ(Pixels(picture_), before);
}

TEST_F(ImageFiles, ResourcesLoadByNameAndUnknownNamesRaise) {
  static const std::vector<uint32_t> kDot{0x00FF00, 0x0000FF};
  static const Bytes kPng = EncodePng(2, 1, kDot.data());
  RegisterResource("TEST_IMAGE_DOT", kPng.data(), kPng.size());

  TBitmap b;
  b.LoadFromResourceName(HInstance, "test_image_dot");
  EXPECT_EQ(b.GetWidth(), 2);
  EXPECT_EQ(Pixels(b), kDot);

  try {
    b.LoadFromResourceName(HInstance, "NO_SUCH_PICTURE");
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource NO_SUCH_PICTURE not found");
  }
  EXPECT_EQ(Pixels(b), kDot);
}
