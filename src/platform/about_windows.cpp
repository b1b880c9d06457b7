#include "platform/about.h"

namespace bindsmith {

const About& about() {
  static constexpr About kAbout{
      "0xC000013A when Ctrl-C,\nCtrl-Break or closing the window ended the run",
      "See README.txt beside bindsmith.exe."};
  return kAbout;
}

}  // namespace bindsmith
