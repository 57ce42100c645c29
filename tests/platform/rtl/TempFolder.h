// A fresh folder under the system's temporary directory, removed with all its
// content when the test ends.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qel::test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qel-rtl-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder itself, or a name inside it.
  std::string Path(const std::string& name = {}) const { return name.empty() ? path_ : path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace qel::test
