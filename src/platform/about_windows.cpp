#include "platform/about.h"

namespace bindsmith {

std::string_view interruptedStatuses() {
  return "0xC000013A when Ctrl-C,\nCtrl-Break or closing the window ended the run";
}

std::string_view whereTheGuideIs() {
  return "See README.txt beside bindsmith.exe.";
}

}  // namespace bindsmith
