#include "config/player_settings.h"

namespace bindsmith {

void setPlayerName() {}
void setNetgraph() {}
void setRconPassword() {}

}  // namespace bindsmith
