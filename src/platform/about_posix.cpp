#include "platform/about.h"

namespace bindsmith {

std::string_view interruptedStatuses() {
  return "129, 130 or 143 when\nSIGHUP, SIGINT or SIGTERM ended the run";
}

std::string_view whereTheGuideIs() {
  return "See bindsmith(1).";
}

}  // namespace bindsmith
