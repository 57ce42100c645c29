// Names that lead to something other than a regular file, for the tests of
// the file readers: a pipe nobody writes to, an endless device, a folder and
// a missing name.
#pragma once
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/platform/rtl/TempFolder.h"

namespace qel::test {

struct NonRegularFiles {
  TempFolder dir;
  std::string pipe = dir.Path("pipe"), folder = dir.Path("folder"), missing = dir.Path("missing");
  bool made = mkfifo(pipe.c_str(), 0600) == 0 && std::filesystem::create_directory(folder);

  // Each name, /dev/zero included where the system has it.
  std::vector<std::string> All() const {
    std::vector<std::string> names{pipe, folder, missing};
    if (std::filesystem::exists("/dev/zero")) names.push_back("/dev/zero");
    return names;
  }
};

}  // namespace qel::test
