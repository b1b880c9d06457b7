#include "binds/quick_binds.h"

namespace bindsmith {

void bindQuickFlash() {}
void bindQuickHe() {}
void bindQuickKnife() {}

}  // namespace bindsmith
