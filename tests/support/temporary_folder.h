#pragma once

#include <filesystem>

#include "platform/unmovable.h"

namespace bindsmith::test {

// A new empty folder of its own under the system's temporary folder, for one
// test or one run of the program; removed, with whatever it holds, when it
// goes. Two alive at once, in one process or in two, never share a folder.
class TemporaryFolder : Unmovable {
 public:
  TemporaryFolder();
  ~TemporaryFolder();

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  [[nodiscard]] std::filesystem::path operator/(const std::filesystem::path& name) const {
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace bindsmith::test
