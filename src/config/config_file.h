#pragma once

namespace bindsmith {

// Choice 2: asks for a name of one to eight letters a-z, confirms it and
// creates (or empties, keeping a copy) NAME.cfg in the current directory.
// Sets fileNameSet once the script is open; if it cannot be opened, says why
// and leaves the flag clear so the player can try another name. Throws
// EndOfInput; no file is created unless a name was confirmed.
void setConfigFileName();

}  // namespace bindsmith
