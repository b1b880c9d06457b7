#include "support/script_checks.h"

#include <array>
#include <map>
#include <optional>
#include <set>

namespace bindsmith::test {

namespace {

constexpr std::string_view kTail = ";showplayerinfo\"";
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
  constexpr std::string_view kQuotedSemicolon = "\";\" ";
  if (!line.starts_with("bind ")) {
    return std::nullopt;
  }
  line.remove_prefix(5);
  if (line.starts_with(kQuotedSemicolon)) {
    line.remove_prefix(kQuotedSemicolon.size());
    return line.empty() ? std::nullopt : std::optional<Bind>{{';', line}};
  }
  if (line.size() < 3 || line[0] == ';' || line[1] != ' ') {
    return std::nullopt;
  }
  return Bind{line[0], line.substr(2)};
}

class Checker {
 public:
  explicit Checker(std::string_view script) {
    if (!script.empty() && script.back() != '\n') {
      problem("the last line is incomplete");
    }
    while (!script.empty()) {
      const auto end = script.find('\n');
      lines_.push_back(script.substr(0, end));
      script.remove_prefix(end == std::string_view::npos ? script.size() : end + 1);
    }
  }

  std::vector<std::string> run() && {
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

  void statement(std::string_view line) {
    if (line.starts_with("name \"") && line.size() > 7 && line.ends_with("\"")) {
      tally("name");
    } else if (line.starts_with("rcon_password ") && line.size() > 14) {
      tally("rcon");
    } else if (line == "r_netgraph 1") {
      tally("netgraph");
    } else if (line == kFlash1) {
      tally("quick flash");
      expect(kFlash2);
      quickBind(" +quickflash");
    } else if (line == kHe1) {
      tally("quick HE");
      expect(kHe2);
      quickBind(" +quickhe");
    } else if (const auto bind = splitBind(line)) {
      key(bind->key);
      const std::string_view target = bind->target;
      if (target == "quickknife") {
        tally("quick knife");
        expect(kKnifeAlias);
      } else {
        weaponAlias(target);
      }
    } else {
      problem("unexpected line: " + std::string{line});
    }
  }

  void quickBind(std::string_view action) {
    const auto bind = next_ < lines_.size() ? splitBind(lines_[next_]) : std::nullopt;
    if (bind && " " + std::string{bind->target} == action) {
      key(bind->key);
      ++next_;
    } else {
      problem("expected the bind of" + std::string{action});
    }
  }

  void weaponAlias(std::string_view name) {
    if (!aliases_.insert(std::string{name}).second) {
      problem("alias defined twice: " + std::string{name});
    }
    const std::string head = "alias " + std::string{name} + " \"";
    if (next_ >= lines_.size() || !lines_[next_].starts_with(head) ||
        !lines_[next_].ends_with(kTail)) {
      problem("bind without its alias: " + std::string{name});
      return;
    }
    std::string_view value = take();
    value = value.substr(head.size(), value.size() - head.size() - kTail.size());
    if (value.starts_with("buyweapon;menuselect ")) {
      // "buyweapon;menuselect C;menuselect I", one digit each
      constexpr std::size_t kBuyLength = 35;
      if (value.size() < kBuyLength || value.substr(22, 12) != ";menuselect ") {
        problem("bad weapon purchase in " + std::string{name});
        return;
      }
      value.remove_prefix(kBuyLength);
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

  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  std::vector<std::string> problems_;
  std::map<std::string, int> counts_;
  std::set<char> keys_;
  std::set<std::string> aliases_;
};

}  // namespace

std::vector<std::string> scriptProblems(std::string_view script) {
  return Checker(script).run();
}

}  // namespace bindsmith::test
