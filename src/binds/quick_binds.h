#pragma once

#include "binds/key_capture.h"
#include "config/script.h"

// The three fixed quick actions, each bound to one key with its own
// statements.
namespace bindsmith {

void bindQuickFlash(Script& script, UsedKeys& usedKeys);
void bindQuickHe(Script& script, UsedKeys& usedKeys);
void bindQuickKnife(Script& script, UsedKeys& usedKeys);

}  // namespace bindsmith
