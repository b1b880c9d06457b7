#include "support/fixture.h"

#include <random>
#include <system_error>

namespace bindsmith::test {

std::string repeated(std::string_view text, int count) {
  std::string all;
  for (int i = 0; i < count; ++i) {
    all += text;
  }
  return all;
}

// A name chosen at random, taken only if no folder has it yet: another test,
// or another run of the suite beside this one, cannot get the same.
TemporaryFolder::TemporaryFolder() {
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("bindsmith-test-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(path_));
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;  // a folder left behind must not end the test run
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace bindsmith::test
