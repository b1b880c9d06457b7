#pragma once

#include <string>

#include "platform/result.h"

namespace bindsmith {

// `name` exists: the script is opened, and so created, before this. If it
// is a regular file holding at least one byte, copies its bytes to
// `copyName`, replacing any file of that name, with permissions no wider
// than the original's; the copy is on the disk when this returns, so that
// the original may then be emptied. A copy that fails is removed, and the
// original is never changed. Returns whether there was anything to keep.
Result<bool> keepCopy(const std::string& name, const std::string& copyName);

}  // namespace bindsmith
