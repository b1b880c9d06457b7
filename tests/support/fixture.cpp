#include "support/fixture.h"

namespace bindsmith::test {

std::string repeated(std::string_view text, int count) {
  std::string all;
  for (int i = 0; i < count; ++i) {
    all += text;
  }
  return all;
}

}  // namespace bindsmith::test
