#include "platform/about.h"

namespace bindsmith {

const About kAbout{"129, 130 or 143 when\nSIGHUP, SIGINT or SIGTERM ended the run",
                   "See bindsmith(1)."};

}  // namespace bindsmith
