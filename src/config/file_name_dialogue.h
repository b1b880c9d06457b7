#pragma once

#include "config/script.h"

namespace bindsmith {

// Asks for a name of one to eight letters a-z, confirms it and opens NAME.cfg
// in the current directory as `script` (an earlier script of that name is
// kept, see Script::open). If it cannot be opened, says why and leaves the
// script closed, so the player can try another name. Throws EndOfInput; no
// file is created unless a name was confirmed.
void setConfigFileName(Console& console, Script& script);

}  // namespace bindsmith
