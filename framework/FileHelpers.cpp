// Folder, password and stream-line helpers of the base library.
#include "framework/QEL_Base.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/SecureRandom.h"
#include "platform/rtl/Streams.h"

namespace qel {

bool DirExists(const std::string& Path) { return !Path.empty() && DirectoryExists(Path); }

std::string ParentDir(const std::string& Path) {
  std::string p = Path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  const size_t slash = p.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : p.substr(0, slash);
}

std::string InventPassword(int N) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string r;
  if (N <= 0) return r;
  r.reserve(size_t(N));
  for (int i = 0; i < N; ++i) r += kAlphabet[SecureRandomInt(sizeof kAlphabet - 1)];
  return r;
}

void ReadLnStream(TStream& Stream, bool& EndOfStream, int MaxLength, std::string& Line) {
  Line.clear();
  char buf[512];
  for (;;) {
    const int64_t got = Stream.Read(buf, sizeof buf);
    if (got <= 0) break;
    for (int64_t i = 0; i < got; ++i) {
      const bool full = MaxLength > 0 && int64_t(Line.size()) >= MaxLength;
      if (buf[i] == '\n' || full) {
        // Give back what belongs to later lines.
        Stream.Seek(i + (full ? 0 : 1) - got, soCurrent);
        if (!Line.empty() && Line.back() == '\r' && !full) Line.pop_back();
        EndOfStream = Stream.GetPosition() >= Stream.GetSize();
        return;
      }
      Line += buf[i];
    }
  }
  if (!Line.empty() && Line.back() == '\r') Line.pop_back();
  EndOfStream = true;
}

}  // namespace qel
