#include "app/main_menu.h"

#include <array>
#include <iostream>
#include <string_view>
#include <utility>

#include "binds/key_capture.h"
#include "binds/quick_binds.h"
#include "binds/weapon_catalogue.h"
#include "config/file_name_dialogue.h"
#include "config/player_settings.h"
#include "console/frame.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// Everything one run remembers beside its script. It starts afresh with
// each run and is never saved.
struct RunState {
  Script& script;
  UsedKeys usedKeys{};
  AliasCounters aliasCounters{};
  // The choices that can be made once a run; the menu sets each when its
  // action returns, whatever the player answered inside.
  bool playerNameSet = false;
  bool netgraphDone = false;
  bool rconDone = false;
  bool quickFlashDone = false;
  bool quickHeDone = false;
  bool quickKnifeDone = false;

  // Every action that writes to the script is refused until then.
  [[nodiscard]] bool fileNameSet() const { return script.isOpen(); }
};

constexpr std::string_view kNeedFileName =
    "You need to set a file name before using this function (hint:press 2)";
// Two spellings of the once-only refusal are shown by different choices.
constexpr std::string_view kAlreadyAssignedSpaced = "You all ready assined this function to a key";
constexpr std::string_view kAlreadyAssigned = "You allready assined this function to a key";

// When a choice can be made.
enum class When { always, untilTheScriptIsNamed, onceItIsNamed };

// One choice of the menu; its number is its place in the table.
struct MenuChoice {
  // Above the choice's line, if it begins a section of the menu.
  std::string_view heading;
  // Its text in the menu, with the blanks that line up the menu's columns.
  std::string_view text;
  When when;
  // A choice that can be made once a run: the menu sets its flag when the
  // action returns, and refuses it from then on.
  bool RunState::*doneFlag;
  // Why a choice that was made is refused again.
  std::string_view refusal;
  // The net graph refusal has no line break of its own after its message.
  bool refusalEndsLine;
  // What the choice does; nothing for the last, which ends the run.
  void (*action)(RunState& run);
};

// The groups of the weapon choices.
template <Group group>
void offer(RunState& run) {
  offerWeaponGroup(group, run.script, run.usedKeys, run.aliasCounters);
}

constexpr std::string_view kGunBinds = "***********************GUN BINDS******************";
constexpr std::string_view kItems = "***********************ITEMS**********************";

constexpr std::array<MenuChoice, 15> kMenu{{
    {{},
     "Instrucions ",
     When::always,
     nullptr,
     {},
     true,
     [](RunState&) { std::cout << "No instructions in this version" << std::endl; }},
    {{},
     "Set File Name ",
     When::untilTheScriptIsNamed,
     nullptr,
     "The filename has allready been set",
     true,
     [](RunState& run) { setConfigFileName(run.script); }},
    {{},
     "Set player name",
     When::onceItIsNamed,
     &RunState::playerNameSet,
     kAlreadyAssignedSpaced,
     true,
     [](RunState& run) { setPlayerName(run.script); }},
    {kGunBinds, "Pistol      ", When::onceItIsNamed, nullptr, {}, true, offer<Group::pistol>},
    {{}, "Shotgun       ", When::onceItIsNamed, nullptr, {}, true, offer<Group::shotgun>},
    {{}, "Sub-Machine Gun", When::onceItIsNamed, nullptr, {}, true, offer<Group::smg>},
    {{}, "Rifle       ", When::onceItIsNamed, nullptr, {}, true, offer<Group::rifle>},
    {{}, "Machine Gun   ", When::onceItIsNamed, nullptr, {}, true, offer<Group::machineGun>},
    {{}, "Equipment      ", When::onceItIsNamed, nullptr, {}, true, offer<Group::equipment>},
    {kItems, "Netmonitor ", When::onceItIsNamed, &RunState::netgraphDone, kAlreadyAssignedSpaced,
     false, [](RunState& run) { setNetgraph(run.script); }},
    {{},
     "RCON pass   ",
     When::onceItIsNamed,
     &RunState::rconDone,
     kAlreadyAssigned,
     true,
     [](RunState& run) { setRconPassword(run.script); }},
    {{},
     "Quick Flash    ",
     When::onceItIsNamed,
     &RunState::quickFlashDone,
     kAlreadyAssigned,
     true,
     [](RunState& run) { bindQuickFlash(run.script, run.usedKeys); }},
    {{},
     "Quick HE   ",
     When::onceItIsNamed,
     &RunState::quickHeDone,
     kAlreadyAssigned,
     true,
     [](RunState& run) { bindQuickHe(run.script, run.usedKeys); }},
    {{},
     "Quick knife  ",
     When::onceItIsNamed,
     &RunState::quickKnifeDone,
     kAlreadyAssigned,
     true,
     [](RunState& run) { bindQuickKnife(run.script, run.usedKeys); }},
    {{}, "Exit", When::always, nullptr, {}, true, nullptr},
}};

// Each weapon group has its choice, in the order of the groups, from the
// first gun choice on.
constexpr std::size_t kFirstWeaponChoice = 3;
template <std::size_t... group>
constexpr bool everyGroupIsOffered(std::index_sequence<group...> /*groups*/) {
  return ((kMenu.at(kFirstWeaponChoice + group).action == offer<static_cast<Group>(group)>)&&...);
}
static_assert(everyGroupIsOffered(std::make_index_sequence<kWeaponGroups.size()>{}),
              "every weapon group has its menu choice");

// The menu shows its choices three to a line.
constexpr std::size_t kChoicesPerLine = 3;
static_assert(kMenu.size() % kChoicesPerLine == 0, "the menu's last line is a full one");

void printMainMenu() {
  std::cout << "              ******** Main Menu ********         " << std::endl << std::endl;
  for (std::size_t place = 0; place < kMenu.size(); ++place) {
    const MenuChoice& choice = kMenu.at(place);
    if (!choice.heading.empty()) {
      std::cout << choice.heading << std::endl;
    }
    std::cout << place + 1 << ". " << choice.text;
    if ((place + 1) % kChoicesPerLine == 0) {
      std::cout << std::endl;
    }
  }
}

void refuse(const MenuChoice& choice) {
  if (choice.refusalEndsLine) {
    printFramed(choice.refusal);
  } else {
    printSeparator();
    std::cout << choice.refusal;
    printSeparator();
  }
}

void dispatch(const MenuChoice& choice, RunState& run) {
  const bool usedUp = choice.when == When::untilTheScriptIsNamed
                          ? run.fileNameSet()
                          : choice.doneFlag != nullptr && run.*choice.doneFlag;
  if (usedUp) {
    refuse(choice);
    return;
  }
  if (choice.when == When::onceItIsNamed && !run.fileNameSet()) {
    printFramed(kNeedFileName);
    return;
  }
  choice.action(run);
  if (choice.doneFlag != nullptr) {
    run.*choice.doneFlag = true;
  }
}

}  // namespace

int exitChoice() {
  return static_cast<int>(kMenu.size());
}

int runMainMenu(Script& script) {
  RunState run{script};
  bool interrupted = false;
  for (;;) {
    printMainMenu();
    int choice = 0;
    try {
      choice = promptChoice(1, exitChoice(), "Main Menu");
    } catch (const EndOfInput&) {
      // Nothing was going on: ending here is as orderly as choosing to exit.
      break;
    }
    const MenuChoice& picked = kMenu.at(static_cast<std::size_t>(choice - 1));
    if (picked.action == nullptr) {
      break;
    }
    try {
      dispatch(picked, run);
    } catch (const EndOfInput&) {
      interrupted = true;
      break;
    }
    script.reportWriteFailure();
  }
  const bool scriptIntact = script.finish();
  return interrupted || !scriptIntact ? 1 : 0;
}

}  // namespace bindsmith
