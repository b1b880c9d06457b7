#include "state/run_state.h"

namespace bindsmith {

RunState runState;

void resetRunState() {
  runState = RunState{};
}

}  // namespace bindsmith
