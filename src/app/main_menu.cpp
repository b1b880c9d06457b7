#include "app/main_menu.h"

#include <array>
#include <iostream>

#include "binds/quick_binds.h"
#include "binds/weapon_catalogue.h"
#include "config/config_file.h"
#include "config/player_settings.h"
#include "config/script.h"
#include "console/frame.h"
#include "console/prompt.h"
#include "state/run_state.h"

namespace bindsmith {

namespace {

constexpr int kInstructionsChoice = 1;
constexpr int kFileNameChoice = 2;
constexpr int kFirstScriptChoice = 3;
constexpr int kExitChoice = 15;

constexpr std::string_view kNeedFileName =
    "You need to set a file name before using this function (hint:press 2)";
constexpr std::string_view kFileNameAlreadySet = "The filename has allready been set";
// Two spellings of the once-only refusal are shown by different choices.
constexpr std::string_view kAlreadyAssignedSpaced = "You all ready assined this function to a key";
constexpr std::string_view kAlreadyAssigned = "You allready assined this function to a key";

// A menu choice that writes to the script. Once-only choices name their flag
// in RunState; the menu sets it when the action returns.
struct ScriptAction {
  void (*action)();
  bool RunState::*doneFlag;
  std::string_view refusal;
  // The net graph refusal has no line break of its own after its message.
  bool refusalEndsLine;
};

// Choices 3 to 14, in menu order.
constexpr std::array<ScriptAction, 12> kScriptActions{{
    {setPlayerName, &RunState::playerNameSet, kAlreadyAssignedSpaced, true},
    {bindPistol, nullptr, {}, true},
    {bindShotgun, nullptr, {}, true},
    {bindSmg, nullptr, {}, true},
    {bindRifle, nullptr, {}, true},
    {bindMachineGun, nullptr, {}, true},
    {bindEquipment, nullptr, {}, true},
    {setNetgraph, &RunState::netgraphDone, kAlreadyAssignedSpaced, false},
    {setRconPassword, &RunState::rconDone, kAlreadyAssigned, true},
    {bindQuickFlash, &RunState::quickFlashDone, kAlreadyAssigned, true},
    {bindQuickHe, &RunState::quickHeDone, kAlreadyAssigned, true},
    {bindQuickKnife, &RunState::quickKnifeDone, kAlreadyAssigned, true},
}};

// The nine lines of the main menu.
void printMainMenu() {
  std::cout << "              ******** Main Menu ********         " << std::endl
            << std::endl
            << "1. Instrucions 2. Set File Name 3. Set player name" << std::endl
            << "***********************GUN BINDS******************" << std::endl
            << "4. Pistol      5. Shotgun       6. Sub-Machine Gun" << std::endl
            << "7. Rifle       8. Machine Gun   9. Equipment      " << std::endl
            << "***********************ITEMS**********************" << std::endl
            << "10. Netmonitor 11. RCON pass   12. Quick Flash    " << std::endl
            << "13. Quick HE   14. Quick knife  15. Exit" << std::endl;
}

// Choice 1.
void showInstructions() {
  std::cout << "No instructions in this version" << std::endl;
}

void runScriptAction(const ScriptAction& entry) {
  if (entry.doneFlag != nullptr && runState.*entry.doneFlag) {
    if (entry.refusalEndsLine) {
      printFramed(entry.refusal);
    } else {
      printSeparator();
      std::cout << entry.refusal;
      printSeparator();
    }
    return;
  }
  if (!runState.fileNameSet) {
    printFramed(kNeedFileName);
    return;
  }
  entry.action();
  if (entry.doneFlag != nullptr) {
    runState.*entry.doneFlag = true;
  }
}

void dispatch(int choice) {
  if (choice == kInstructionsChoice) {
    showInstructions();
  } else if (choice == kFileNameChoice) {
    if (runState.fileNameSet) {
      printFramed(kFileNameAlreadySet);
    } else {
      setConfigFileName();
    }
  } else {
    runScriptAction(kScriptActions.at(static_cast<std::size_t>(choice - kFirstScriptChoice)));
  }
}

}  // namespace

int runMainMenu() {
  bool interrupted = false;
  for (;;) {
    printMainMenu();
    int choice = 0;
    try {
      choice = promptChoice(1, kExitChoice, "Main Menu");
    } catch (const EndOfInput&) {
      // Nothing was going on: ending here is as orderly as choosing 15.
      break;
    }
    if (choice == kExitChoice) {
      break;
    }
    try {
      dispatch(choice);
    } catch (const EndOfInput&) {
      interrupted = true;
      break;
    }
    reportScriptWriteFailure();
  }
  const bool scriptIntact = finishScript();
  return interrupted || !scriptIntact ? 1 : 0;
}

}  // namespace bindsmith
