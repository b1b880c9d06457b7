#include "platform/about.h"

namespace bindsmith {

std::string_view interruptedStatuses() {
  return "130 when\nCtrl-C ended the run";
}

std::string_view whereTheGuideIs() {
  return "See the guide on the page.";
}

}  // namespace bindsmith
