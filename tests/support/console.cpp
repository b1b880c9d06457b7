#include "support/console.h"

#include "config/config_file.h"
#include "state/run_state.h"

namespace bindsmith::test {

void openTestScript() {
  ASSERT_FALSE(openConfigFile("test.cfg").has_value());
  runState.fileNameSet = true;
}

}  // namespace bindsmith::test
