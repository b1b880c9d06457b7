#include "config/file_name_dialogue.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "console/prompt.h"

namespace bindsmith {

namespace {

// The typed word is read up to 499 characters, as answer files expect; the
// rest of its line is dropped with the line.
constexpr std::size_t kTypedWordChars = 499;
// Only the first eight characters of the typed word make the name.
constexpr std::size_t kNameLetters = 8;
constexpr std::string_view kScriptExtension = ".cfg";
// Windows opens these names, with any extension, as devices: every statement
// would vanish. Scripts are made for game folders, mostly on Windows, so they
// are refused everywhere.
constexpr std::array<std::string_view, 4> kDeviceNames{"con", "prn", "aux", "nul"};

bool isNameLetter(char c) {
  return c >= 'a' && c <= 'z';
}

bool isValidName(const std::string& name) {
  return std::all_of(name.begin(), name.end(), isNameLetter) &&
         std::find(kDeviceNames.begin(), kDeviceNames.end(), name) == kDeviceNames.end();
}

char toLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Cuts the typed word to the part that counts and lower-cases it, leaving
// every other byte as it is.
std::string normaliseName(std::string word) {
  word.resize(std::min(word.size(), kNameLetters));
  std::transform(word.begin(), word.end(), word.begin(), toLowerAscii);
  return word;
}

// One attempt of the dialogue; returns the confirmed name, or nothing when the
// player must be asked again.
std::optional<std::string> askForName(Console& console) {
  console.out() << "Please enter the name of the config file" << std::endl
                << "8 letters maximum only a-z are allowed" << std::endl;
  std::string name = normaliseName(console.readWord(kTypedWordChars, PromptLine::closed).text);
  console.discardLine(kWordLineDiscard);
  if (!isValidName(name)) {
    console.out() << name << ".cfg is not a vaild filename please try again" << std::endl;
    return std::nullopt;
  }
  if (!console.askYesNo({name + ".cfg <-- Is that the correct choice", "1. yes 2. no"},
                        "Is that the correct file name")) {
    return std::nullopt;
  }
  return name;
}

}  // namespace

void setConfigFileName(Console& console, Script& script) {
  std::optional<std::string> name;
  while (!name) {
    name = askForName(console);
  }
  const std::string fileName = *name + std::string{kScriptExtension};
  console.out() << "Setting filename to " << fileName << std::endl;
  const Script::Opening opening = script.open(fileName);
  if (opening.refusal) {
    console.printFramed("Could not open " + fileName + " for writing: " + *opening.refusal);
    return;
  }
  if (opening.keptAs) {
    console.out() << "The earlier " << fileName << " is kept as " << *opening.keptAs << std::endl;
  }
  console.printSeparator();
  console.printSeparator();
}

}  // namespace bindsmith
