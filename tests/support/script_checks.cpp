#include "support/script_checks.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace bindsmith::test {

namespace {

// The texts the program's statements are made of, each spelt here once.
struct StatementTexts {
  std::string_view name;       // + name + "\""
  std::string_view rcon;       // + password, bare or quoted
  std::string_view netgraph;   // the whole line
  std::string_view bind;       // + key + " " + target
  std::string_view alias;      // + name + " \"" + value + tail
  std::string_view buy;        // + category digit + select + item digit
  std::string_view select;     //
  std::string_view tail;       // ends every weapon and equipment alias
  std::string_view quotedKey;  // the key ';', quoted, and its blank
};
constexpr StatementTexts kText{
    "name \"",      "rcon_password ",    "r_netgraph 1", "bind ", "alias ", "buyweapon;menuselect ",
    ";menuselect ", ";showplayerinfo\"", "\";\" "};

constexpr std::string_view kFlash1 =
    "alias +quickflash \"use weapon_flashbang;wait;wait;+attack;developer 1;echo Throwing "
    "Flashbang;developer 0\"";
constexpr std::string_view kFlash2 =
    "alias -quickflash \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw Flashbang;developer "
    "0\"";
constexpr std::string_view kHe1 =
    "alias +quickhe \"use weapon_grennade;wait;wait;+attack;developer 1;echo Throwing HE "
    "Grenade;developer 0\"";
constexpr std::string_view kHe2 =
    "alias -quickhe \"-attack;wait;wait;wait;lastinv;developer 1;echo Threw HE Grenade;developer "
    "0\"";
constexpr std::string_view kKnifeAlias = "alias quickknife  \"use weapon_knife\"";

// The quick actions: the fixed alias lines around the bind of their target.
struct QuickAction {
  std::string_view what;
  std::string_view target;
  // Both before the bind, or (the knife) one after it.
  std::array<std::string_view, 2> aliases;
  bool bindFirst;
};
constexpr std::array<QuickAction, 3> kQuickActions{{
    {"quick flash", "+quickflash", {kFlash1, kFlash2}, false},
    {"quick HE", "+quickhe", {kHe1, kHe2}, false},
    {"quick knife", "quickknife", {kKnifeAlias, {}}, true},
}};

// The fragments by rank: they stand in rank order, and each rank allows only
// so many (primary and secondary ammo, the kevlar first try, one kevlar, the
// HE grenade, conc grenades).
struct FragmentRule {
  std::string_view text;
  std::size_t rank;
};
constexpr std::string_view kKevlarFirstTry = ";buyitem;menuselect  3";
constexpr std::string_view kRegularKevlar = ";buyitem;menuselect 1";
constexpr std::array<FragmentRule, 7> kFragments{{
    {";buyammo;menuselect 1", 0},
    {";buyammo;menuselect 2", 1},
    {kKevlarFirstTry, 2},
    {";buyitem;menuselect 3", 3},
    {kRegularKevlar, 3},
    {";buyitem;menuselect 5", 4},
    {";buyitem;menuselect 4", 5},
}};
constexpr std::array<int, 6> kMostPerRank{6, 6, 1, 1, 1, 3};

// "bind KEY TARGET": the key is one character, but ';' (which would end the
// command in the game) stands quoted as "\";\"" and never bare.
struct Bind {
  char key;
  std::string_view target;
};
std::optional<Bind> splitBind(std::string_view line) {
  if (!line.starts_with(kText.bind)) {
    return std::nullopt;
  }
  line.remove_prefix(kText.bind.size());
  if (line.starts_with(kText.quotedKey)) {
    line.remove_prefix(kText.quotedKey.size());
    return line.empty() ? std::nullopt : std::optional<Bind>{{';', line}};
  }
  if (line.size() < 3 || line[0] == ';' || line[1] != ' ') {
    return std::nullopt;
  }
  return Bind{line[0], line.substr(2)};
}

// How the game console reads a line: its commands, each a list of words,
// and whether a quoted text ended in a backslash, which one engine reads as
// escaping the closing quote.
constexpr std::string_view kWordsOfTheirOwn = "{}()':,";
bool readsAsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= ' ' || byte >= 0x7F;
}
struct GameLine {
  std::vector<std::vector<std::string>> commands;
  bool escapedQuote = false;
};
GameLine gameCommands(std::string_view line) {
  GameLine read;
  auto& commands = read.commands;
  commands.resize(1);
  const auto endsWord = [&](std::size_t at) {
    const char c = line[at];
    return readsAsBlank(c) || c == '"' || c == ';' ||
           kWordsOfTheirOwn.find(c) != std::string_view::npos || line.substr(at).starts_with("//");
  };
  std::size_t at = 0;
  while (at < line.size() && !line.substr(at).starts_with("//")) {
    const char c = line[at];
    if (c == ';') {
      commands.emplace_back();
      ++at;
    } else if (readsAsBlank(c)) {
      ++at;
    } else if (c == '"') {
      const std::size_t close = std::min(line.find('"', at + 1), line.size());
      const std::string_view quoted = line.substr(at + 1, close - at - 1);
      read.escapedQuote = read.escapedQuote || quoted.ends_with('\\');
      commands.back().emplace_back(quoted);
      at = close + 1;
    } else if (kWordsOfTheirOwn.find(c) != std::string_view::npos) {
      commands.back().emplace_back(1, c);
      ++at;
    } else {
      const std::size_t start = at;
      while (at < line.size() && (at == start || !endsWord(at))) {
        ++at;
      }
      commands.back().emplace_back(line.substr(start, at - start));
    }
  }
  std::erase_if(commands, [](const auto& words) { return words.empty(); });
  return read;
}

// Why the game's player info would not take `name` as typed, or nothing.
std::optional<std::string> playerInfoRefusal(std::string_view name) {
  constexpr std::size_t kLongestName = 126;
  if (name.size() > kLongestName) {
    return "a name of " + std::to_string(name.size()) + " characters";
  }
  if (name.find('\\') != std::string_view::npos || name.find("..") != std::string_view::npos) {
    return "a name with a backslash or two dots";
  }
  if (std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < ' ' || byte == 0x7F;
      })) {
    return "a name with a control byte";
  }
  return std::nullopt;
}

class Checker {
 public:
  Checker(std::string_view script, ConfirmedWords confirmed) : confirmed_(std::move(confirmed)) {
    if (!script.empty() && script.back() != '\n') {
      problem("the last line is incomplete");
    }
    if (script.size() >= kLargestExecBytes) {
      problem("a script of " + std::to_string(script.size()) + " bytes, too large for an exec");
    }
    while (!script.empty()) {
      const auto end = script.find('\n');
      lines_.push_back(script.substr(0, end));
      script.remove_prefix(end == std::string_view::npos ? script.size() : end + 1);
    }
  }

  std::vector<std::string> run() && {
    for (const std::string_view line : lines_) {
      asTheGameReadsIt(line);
    }
    for (const std::string& target : bindTargets_) {
      if (!gameAliases_.contains(target)) {
        problem("the game finds no alias " + target + " for its bind");
      }
    }
    while (next_ < lines_.size()) {
      statement(take());
    }
    for (const auto& [what, count] : counts_) {
      if (count > 1) {
        problem(what + " written " + std::to_string(count) + " times");
      }
    }
    return std::move(problems_);
  }

 private:
  std::string_view take() { return lines_[next_++]; }
  bool expect(std::string_view line) {
    if (next_ < lines_.size() && lines_[next_] == line) {
      ++next_;
      return true;
    }
    problem("expected: " + std::string{line});
    return false;
  }
  void problem(std::string text) { problems_.push_back(std::move(text)); }
  void tally(const std::string& what) { ++counts_[what]; }
  void key(char key) {
    if (!keys_.insert(key).second) {
      problem("key bound twice: " + std::string(1, key));
    }
  }

  void asTheGameReadsIt(std::string_view line) {
    const std::string shown{line};
    const auto [commands, escapedQuote] = gameCommands(line);
    if (escapedQuote) {
      problem("a backslash before a closing quote in: " + shown);
    }
    if (commands.size() != 1) {
      problem("the game reads " + std::to_string(commands.size()) + " commands in: " + shown);
      return;
    }
    const std::vector<std::string>& words = commands.front();
    const auto wordCount = [&](std::size_t count) {
      if (words.size() != count) {
        problem("the game reads " + std::to_string(words.size()) + " words in: " + shown);
        return false;
      }
      return true;
    };
    const auto confirmedAs = [&](const std::optional<std::string>& word) {
      if (wordCount(2) && word && words[1] != *word) {
        problem("the game reads " + words[1] + " where " + *word + " was confirmed: " + shown);
      }
    };
    if (words[0] == "bind") {
      if (wordCount(3)) {
        if (words[1].size() != 1 || kKeyNames.find(words[1]) == std::string_view::npos) {
          problem("no key press reaches the game as " + words[1] + ": " + shown);
        }
        bindTargets_.push_back(words[2]);
      }
    } else if (words[0] == "alias") {
      if (wordCount(3) && !gameAliases_.insert(words[1]).second) {
        problem("the game reads the alias " + words[1] + " defined twice: " + shown);
      }
    } else if (words[0] == "name") {
      confirmedAs(confirmed_.name);
      if (const auto why = words.size() == 2 ? playerInfoRefusal(words[1]) : std::nullopt) {
        problem("the player info refuses " + *why + ": " + shown);
      }
    } else if (words[0] == "rcon_password") {
      confirmedAs(confirmed_.password);
    } else if (words[0] == "r_netgraph") {
      wordCount(2);
    } else {
      problem("the game reads the command " + words[0] + " in: " + shown);
    }
  }

  void statement(std::string_view line) {
    const auto quick = [&](auto matches) {
      return std::find_if(kQuickActions.begin(), kQuickActions.end(), matches);
    };
    const auto bind = splitBind(line);
    if (line.starts_with(kText.name) && line.size() > kText.name.size() + 1 &&
        line.ends_with("\"")) {
      tally("name");
    } else if (line.starts_with(kText.rcon) && line.size() > kText.rcon.size()) {
      tally("rcon");
    } else if (line == kText.netgraph) {
      tally("netgraph");
    } else if (const auto* action = quick(
                   [&](const QuickAction& a) { return !a.bindFirst && line == a.aliases[0]; });
               action != kQuickActions.end()) {
      tally(std::string{action->what});
      expect(action->aliases[1]);
      quickBind(action->target);
    } else if (bind) {
      key(bind->key);
      if (const auto* knife =
              quick([&](const QuickAction& a) { return a.bindFirst && a.target == bind->target; });
          knife != kQuickActions.end()) {
        tally(std::string{knife->what});
        expect(knife->aliases[0]);
      } else {
        weaponAlias(bind->target);
      }
    } else {
      problem("unexpected line: " + std::string{line});
    }
  }

  void quickBind(std::string_view target) {
    const auto bind = next_ < lines_.size() ? splitBind(lines_[next_]) : std::nullopt;
    if (bind && bind->target == target) {
      key(bind->key);
      ++next_;
    } else {
      problem("expected the bind of " + std::string{target});
    }
  }

  void weaponAlias(std::string_view name) {
    if (!aliases_.insert(std::string{name}).second) {
      problem("alias defined twice: " + std::string{name});
    }
    std::string head{kText.alias};
    head.append(name).append(" \"");
    if (next_ >= lines_.size() || !lines_[next_].starts_with(head) ||
        !lines_[next_].ends_with(kText.tail)) {
      problem("bind without its alias: " + std::string{name});
      return;
    }
    std::string_view value = take();
    value = value.substr(head.size(), value.size() - head.size() - kText.tail.size());
    if (value.starts_with(kText.buy)) {
      // The buy command, then one digit each for category and item.
      const std::size_t buyLength = kText.buy.size() + 1 + kText.select.size() + 1;
      if (value.size() < buyLength ||
          value.substr(kText.buy.size() + 1, kText.select.size()) != kText.select) {
        problem("bad weapon purchase in " + std::string{name});
        return;
      }
      value.remove_prefix(buyLength);
    }
    fragments(name, value);
  }

  void fragments(std::string_view name, std::string_view value) {
    std::size_t rank = 0;
    std::array<int, kMostPerRank.size()> seen{};
    while (!value.empty()) {
      const FragmentRule* match = nullptr;
      for (const FragmentRule& rule : kFragments) {
        if (value.starts_with(rule.text)) {
          match = &rule;
        }
      }
      if (match == nullptr || match->rank < rank ||
          ++seen.at(match->rank) > kMostPerRank.at(match->rank)) {
        problem("add-ons out of order in " + std::string{name} + ": " + std::string{value});
        return;
      }
      rank = match->rank;
      value.remove_prefix(match->text.size());
      // The first try at full kevlar always falls back to regular kevlar.
      if (match->text == kKevlarFirstTry && !value.starts_with(kRegularKevlar)) {
        problem("kevlar first try without its fallback in " + std::string{name});
        return;
      }
    }
  }

  ConfirmedWords confirmed_;
  std::set<std::string> gameAliases_;
  std::vector<std::string> bindTargets_;
  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  std::vector<std::string> problems_;
  std::map<std::string, int> counts_;
  std::set<char> keys_;
  std::set<std::string> aliases_;
};

}  // namespace

ConfirmedWords confirmedWords(std::string_view console) {
  ConfirmedWords confirmed;
  // The name dialogue ends with it, after the confirmation's prompt; no
  // echo of a typed word holds it, since a word holds no blank.
  constexpr std::string_view kNameSet = "Playername set to ";
  if (const auto at = console.rfind(kNameSet); at != std::string_view::npos) {
    const std::string_view rest = console.substr(at + kNameSet.size());
    confirmed.name = std::string{rest.substr(0, rest.find('\n'))};
  }
  // The password written is the last one offered for confirmation: the
  // dialogue runs once a run, and ends when a password is confirmed.
  constexpr std::string_view kOffer = " the correct password?\n";
  if (const auto at = console.rfind(kOffer); at != std::string_view::npos) {
    const std::size_t start = console.rfind('\n', at);
    const std::string_view line = console.substr(start == std::string_view::npos ? 0 : start + 1);
    if (line.starts_with("Is ")) {
      confirmed.password = std::string{line.substr(3, line.find(kOffer) - 3)};
    }
  }
  return confirmed;
}

std::vector<std::string> scriptProblems(std::string_view script, const ConfirmedWords& confirmed) {
  return Checker(script, confirmed).run();
}

}  // namespace bindsmith::test
