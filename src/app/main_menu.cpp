#include "app/main_menu.h"

#include <array>
#include <ostream>
#include <string_view>
#include <utility>

#include "binds/key_capture.h"
#include "binds/quick_binds.h"
#include "binds/weapon_catalogue.h"
#include "config/file_name_dialogue.h"
#include "config/player_settings.h"
#include "console/prompt.h"

namespace bindsmith {

namespace {

// Everything one run remembers beside its script and console. It starts
// afresh with each run and is never saved.
struct RunState {
  Console& console;
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

// How a choice that was made is refused again: the net graph's refusal has
// no line break of its own after its message.
enum class RefusalLine { ended, open };

// One choice of the menu; its number is its place in the table.
struct MenuChoice {
  // Above the choice's line, if it begins a section of the menu.
  std::string_view heading{};
  // Its text in the menu, with the blanks that line up the menu's columns.
  std::string_view text{};
  When when = When::onceItIsNamed;
  // A choice that can be made once a run: the menu sets its flag when the
  // action returns, and refuses it from then on.
  bool RunState::*doneFlag = nullptr;
  // Why a choice that was made is refused again.
  std::string_view refusal{};
  RefusalLine refusalLine = RefusalLine::ended;
  // What the choice does; nothing for the last, which ends the run.
  void (*action)(RunState& run) = nullptr;
};

// The groups of the weapon choices.
template <Group group>
void offer(RunState& run) {
  offerWeaponGroup(run.console, group, run.script, run.usedKeys, run.aliasCounters);
}

constexpr std::string_view kGunBinds = "***********************GUN BINDS******************";
constexpr std::string_view kItems = "***********************ITEMS**********************";

constexpr std::array<MenuChoice, 15> kMenu{{
    {.text = "Instrucions ",
     .when = When::always,
     .action =
         [](RunState& run) {
           run.console.out() << "No instructions in this version" << std::endl;
         }},
    {.text = "Set File Name ",
     .when = When::untilTheScriptIsNamed,
     .refusal = "The filename has allready been set",
     .action = [](RunState& run) { setConfigFileName(run.console, run.script); }},
    {.text = "Set player name",
     .doneFlag = &RunState::playerNameSet,
     .refusal = kAlreadyAssignedSpaced,
     .action = [](RunState& run) { setPlayerName(run.console, run.script); }},
    {.heading = kGunBinds, .text = "Pistol      ", .action = offer<Group::pistol>},
    {.text = "Shotgun       ", .action = offer<Group::shotgun>},
    {.text = "Sub-Machine Gun", .action = offer<Group::smg>},
    {.text = "Rifle       ", .action = offer<Group::rifle>},
    {.text = "Machine Gun   ", .action = offer<Group::machineGun>},
    {.text = "Equipment      ", .action = offer<Group::equipment>},
    {.heading = kItems,
     .text = "Netmonitor ",
     .doneFlag = &RunState::netgraphDone,
     .refusal = kAlreadyAssignedSpaced,
     .refusalLine = RefusalLine::open,
     .action = [](RunState& run) { setNetgraph(run.console, run.script); }},
    {.text = "RCON pass   ",
     .doneFlag = &RunState::rconDone,
     .refusal = kAlreadyAssigned,
     .action = [](RunState& run) { setRconPassword(run.console, run.script); }},
    {.text = "Quick Flash    ",
     .doneFlag = &RunState::quickFlashDone,
     .refusal = kAlreadyAssigned,
     .action = [](RunState& run) { bindQuickFlash(run.console, run.script, run.usedKeys); }},
    {.text = "Quick HE   ",
     .doneFlag = &RunState::quickHeDone,
     .refusal = kAlreadyAssigned,
     .action = [](RunState& run) { bindQuickHe(run.console, run.script, run.usedKeys); }},
    {.text = "Quick knife  ",
     .doneFlag = &RunState::quickKnifeDone,
     .refusal = kAlreadyAssigned,
     .action = [](RunState& run) { bindQuickKnife(run.console, run.script, run.usedKeys); }},
    {.text = "Exit", .when = When::always},
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

void printMainMenu(std::ostream& out) {
  out << "              ******** Main Menu ********         " << std::endl << std::endl;
  for (std::size_t place = 0; place < kMenu.size(); ++place) {
    const MenuChoice& choice = kMenu.at(place);
    if (!choice.heading.empty()) {
      out << choice.heading << std::endl;
    }
    out << place + 1 << ". " << choice.text;
    if ((place + 1) % kChoicesPerLine == 0) {
      out << std::endl;
    }
  }
}

void refuse(Console& console, const MenuChoice& choice) {
  if (choice.refusalLine == RefusalLine::ended) {
    console.printFramed(choice.refusal);
  } else {
    console.printSeparator();
    console.out() << choice.refusal;
    console.printSeparator();
  }
}

void dispatch(const MenuChoice& choice, RunState& run) {
  const bool usedUp = choice.when == When::untilTheScriptIsNamed
                          ? run.fileNameSet()
                          : choice.doneFlag != nullptr && run.*choice.doneFlag;
  if (usedUp) {
    refuse(run.console, choice);
    return;
  }
  if (choice.when == When::onceItIsNamed && !run.fileNameSet()) {
    run.console.printFramed(kNeedFileName);
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

int runMainMenu(Console& console, Script& script) {
  RunState run{console, script};
  bool endedInsideADialogue = false;
  for (;;) {
    printMainMenu(console.out());
    int choice = 0;
    try {
      choice = console.promptChoice(1, exitChoice(), "Main Menu");
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
      endedInsideADialogue = true;
      break;
    }
    script.reportWriteFailure(console);
  }
  const bool scriptIntact = script.finish(console);
  return endedInsideADialogue || !scriptIntact ? 1 : 0;
}

}  // namespace bindsmith
