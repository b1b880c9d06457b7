#pragma once

#include <string_view>

#include "binds/key_capture.h"
#include "config/script.h"

namespace bindsmith {

// Takes a key, then writes "bind KEY ALIAS" and an alias that buys the
// weapon (category and item are the buy-menu digits) plus the add-ons the
// player asks for. Nothing is written unless a free key was confirmed;
// returns whether the bind was written. Once the alias line is begun it is
// always ended, even when input ends inside the add-on questions (the
// EndOfInput then goes on to the caller).
bool writeBuyBind(Console& console, Script& script, UsedKeys& usedKeys, std::string_view aliasName,
                  std::string_view label, std::string_view item, std::string_view category);

// As writeBuyBind, for an alias that buys add-ons only.
bool writeEquipmentBind(Console& console, Script& script, UsedKeys& usedKeys,
                        std::string_view aliasName, std::string_view label);

// The add-on dialogues. Each appends its fragments to the open alias only
// after all of its own answers, so an unfinished dialogue adds nothing.
void askAmmo(Console& console, Script& script);
void askKevlar(Console& console, Script& script);
void askGrenades(Console& console, Script& script);

}  // namespace bindsmith
