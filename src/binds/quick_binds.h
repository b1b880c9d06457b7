#pragma once

#include "binds/key_capture.h"
#include "config/script.h"

// The three fixed quick actions, each bound to one key with its own
// statements.
namespace bindsmith {

void bindQuickFlash(Console& console, Script& script, UsedKeys& usedKeys);
void bindQuickHe(Console& console, Script& script, UsedKeys& usedKeys);
void bindQuickKnife(Console& console, Script& script, UsedKeys& usedKeys);

}  // namespace bindsmith
