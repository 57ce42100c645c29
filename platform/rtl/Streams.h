// Byte streams: the abstract TStream and its memory, file and string kinds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Where Seek counts from.
enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

/// A stream of bytes with a position: read, write, seek.
class TStream : public TObject {
 public:
  /// Read/Write move at most Count bytes and return how many moved.
  ///@{
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  ///@}
  /// Moves the position; returns the new one.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

  /// Position from the start in bytes.
  ///@{
  int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  ///@}
  /// Size in bytes.
  ///@{
  virtual int64_t GetSize();
  virtual void SetSize(int64_t NewSize);
  ///@}

  /// Exactly Count bytes or EStreamError ("Stream read error" / "Stream write error").
  ///@{
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  ///@}
  /// Copies Count bytes from Source (all of it from the start when Count is 0).
  int64_t CopyFrom(TStream& Source, int64_t Count);
};

/// A stream in memory.
class TMemoryStream : public TStream {
 public:
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t NewSize) override;
  /// Empties the stream.
  void Clear();
  /// The bytes.
  const uint8_t* Memory() const { return data_.data(); }
  /// Replace the content with a file or the rest of a stream, or write all of it to one.
  ///@{
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  void LoadFromStream(TStream& Source);
  void SaveToStream(TStream& Dest);
  ///@}

 private:
  std::vector<uint8_t> data_;
  int64_t pos_ = 0;
};

/// File modes, combinable: one of fmCreate / fmOpenRead / fmOpenWrite / fmOpenReadWrite.
///@{
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmCreate = 0xFF00;
///@}

/// A stream on a file.
class TFileStream : public TStream {
 public:
  /// Raises EFOpenError with the file name and the reason; a folder, device,
  /// pipe or socket is refused unopened (it could block or never end).
  TFileStream(const std::string& FileName, uint16_t Mode);
  ~TFileStream() override;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  /// Cuts or grows the file.
  void SetSize(int64_t NewSize) override;
  /// Name of the file.
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  int fd_ = -1;
};

/// A stream on a string.
class TStringStream : public TStream {
 public:
  /// A stream holding Data, at position 0.
  explicit TStringStream(std::string Data = {});
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  /// Cuts or grows the string.
  void SetSize(int64_t NewSize) override;
  /// The bytes as a string.
  const std::string& DataString() const { return data_; }

 private:
  std::string data_;
  int64_t pos_ = 0;
};

QEL_API_END
}  // namespace qel
