#pragma once

namespace bindsmith {

// Choices 12 to 14: one fixed quick action each.
void bindQuickFlash();
void bindQuickHe();
void bindQuickKnife();

}  // namespace bindsmith
