#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace bindsmith {

// Number of rows of the weapon catalogue; one alias counter per row.
inline constexpr std::size_t kCatalogueRows = 16;
// A key is one byte, so there is one used-key flag per byte value.
inline constexpr std::size_t kByteValues = 256;

// Everything one run remembers. It starts zeroed, lives until the program
// ends and is never saved: a new run starts from scratch.
struct RunState {
  // Set by the file-name dialogue once the script is open; every action that
  // writes to the script is refused until then.
  bool fileNameSet = false;
  // Once-only choices; the menu sets each when its action returns, whatever
  // the player answered inside.
  bool playerNameSet = false;
  bool netgraphDone = false;
  bool rconDone = false;
  bool quickFlashDone = false;
  bool quickHeDone = false;
  bool quickKnifeDone = false;
  // One flag per byte value; a key, once bound, stays taken for the run.
  std::array<bool, kByteValues> usedKeys{};
  // Completed binds of each catalogue row, in catalogue order; they make the
  // alias names of one row distinct.
  std::array<std::int32_t, kCatalogueRows> aliasCounters{};
};

// The state of the run in progress.
extern RunState runState;

// Puts the run state back to its start, so that several sessions can run in
// one process (tests, the fuzzer).
void resetRunState();

}  // namespace bindsmith
