#pragma once

namespace bindsmith {

// Choice 3: asks for the player name until confirmed, then writes it.
void setPlayerName();
// Choice 10: writes the net graph statement if the player wants it.
void setNetgraph();
// Choice 11: asks for the rcon password until confirmed, then writes it.
void setRconPassword();

}  // namespace bindsmith
