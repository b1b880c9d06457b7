// Writes, as JSON on standard output, what the web page needs to know of the
// program to draw the keyboard: the keys that can be bound, the question
// that asks for one (the picture's keys are buttons while it waits), and
// the weapon catalogue's rows (and, for the build to measure the
// terminal's widest line with, the menu's choice that quits and the width
// of the frame around a refusal), so that the page names a bind's weapon
// from the same table the program buys it from. Run by the web build; its
// output goes into the site as page-data.js.

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>

#include "app/main_menu.h"
#include "binds/key_capture.h"
#include "binds/weapon_catalogue.h"
#include "config/game_syntax.h"
#include "console/prompt.h"

namespace {

// `text` as a JSON string. The catalogue and the key names are printable
// ASCII, so only the quote and the backslash need escaping.
std::string jsonString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
    }
    quoted += c;
  }
  return quoted + "\"";
}

// What a bind of the row buys, as the page's key labels say it: its name in
// its group's list, or its key prompt's label where the group has no list.
std::string_view shownName(const bindsmith::WeaponRow& row) {
  return row.listName.empty() ? row.label : row.listName;
}

// The widest line of the frame around every refusal, as the console draws
// it.
std::size_t frameWidth() {
  std::istringstream nothing;
  std::ostringstream drawn;
  bindsmith::Console console(nothing, drawn);
  console.printSeparator();
  std::istringstream lines(drawn.str());
  std::size_t widest = 0;
  for (std::string line; std::getline(lines, line);) {
    widest = std::max(widest, line.size());
  }
  return widest;
}

}  // namespace

int main() {
  constexpr int kBytes = 256;
  std::string keys;
  for (int code = 0; code < kBytes; ++code) {
    const auto c = static_cast<char>(code);
    if (bindsmith::isKeyName(c)) {
      keys += c;
    }
  }
  std::string json = "{\"keys\":" + jsonString(keys) + R"(,"keyQuestion":{"before":)" +
                     jsonString(bindsmith::kKeyQuestion.before) +
                     ",\"after\":" + jsonString(bindsmith::kKeyQuestion.after) + "}" +
                     ",\"quit\":" + std::to_string(bindsmith::exitChoice()) +
                     ",\"frameWidth\":" + std::to_string(frameWidth()) + ",\"weapons\":[";
  bool first = true;
  for (const auto& row : bindsmith::kWeaponCatalogue) {
    if (!first) {
      json += ",";
    }
    first = false;
    json += "{\"name\":" + jsonString(shownName(row)) + ",\"stem\":" + jsonString(row.stem) +
            ",\"category\":" + jsonString(row.category) + ",\"item\":" + jsonString(row.item) +
            ",\"equipment\":" + (row.group == bindsmith::Group::equipment ? "true" : "false") + "}";
  }
  json += "]}\n";
  return std::fputs(json.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}
