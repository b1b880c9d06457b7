#include "platform/about.h"

namespace bindsmith {

const About kAbout{"130 when\nCtrl-C ended the run", "See the guide on the page."};

}  // namespace bindsmith
