#include "platform/about.h"

namespace bindsmith {

const About& about() {
  static constexpr About kAbout{"130 when\nCtrl-C ended the run", "See the guide on the page."};
  return kAbout;
}

}  // namespace bindsmith
