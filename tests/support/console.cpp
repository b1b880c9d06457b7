#include "support/console.h"

#include "config/script.h"
#include "state/run_state.h"

namespace bindsmith::test {

void openTestScript() {
  ASSERT_FALSE(openScript("test.cfg").failure);
  runState.fileNameSet = true;
}

std::string repeated(std::string_view text, int count) {
  std::string all;
  for (int i = 0; i < count; ++i) {
    all += text;
  }
  return all;
}

}  // namespace bindsmith::test
