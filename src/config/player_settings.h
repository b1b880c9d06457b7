#pragma once

#include "config/script.h"

// The player's own settings, each a dialogue that ends by writing at most
// one statement to the script.
namespace bindsmith {

// Asks for the player name until it is confirmed, then writes it.
void setPlayerName(Console& console, Script& script);
// Writes the net graph statement if the player wants it.
void setNetgraph(Console& console, Script& script);
// Asks for the rcon password until it is confirmed, then makes the script
// its owner's alone and writes the password.
void setRconPassword(Console& console, Script& script);

}  // namespace bindsmith
