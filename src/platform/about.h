#pragma once

#include <string_view>

// What the program tells the player of the platform it runs on, for its
// usage text. Each platform defines it in a file of its own.
namespace bindsmith {

struct About {
  // The exit statuses of a run that an interrupt ended, as this platform's
  // shells see them, and what sends those interrupts; the line breaks where
  // the usage text's line does.
  std::string_view interruptedStatuses;
  // Where the players' guide is, as the platform ships it.
  std::string_view guide;
};
const About& about();

}  // namespace bindsmith
