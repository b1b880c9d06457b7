#include "platform/about.h"

namespace bindsmith {

const About& about() {
  static constexpr About kAbout{"129, 130 or 143 when\nSIGHUP, SIGINT or SIGTERM ended the run",
                                "See bindsmith(1)."};
  return kAbout;
}

}  // namespace bindsmith
