#include "config/config_file.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <system_error>
#include <utility>

#include "console/descriptors.h"
#include "console/frame.h"
#include "console/output_buffer.h"
#include "console/prompt.h"
#include "state/run_state.h"

namespace bindsmith {

std::ostream configFile{nullptr};

namespace {

// The typed word is held in 500 characters with its terminator.
constexpr std::size_t kTypedWordChars = 499;
// Anything typed after the name on its line is dropped, up to this much.
constexpr std::size_t kNameLineDiscard = 999;
// Only the first eight characters of the typed word make the name.
constexpr std::size_t kNameLetters = 8;
constexpr std::string_view kScriptExtension = ".cfg";
// Windows opens these names, with any extension, as devices: every statement
// would vanish. Scripts are made for game folders, mostly on Windows, so they
// are refused everywhere.
constexpr std::array<std::string_view, 4> kDeviceNames{"con", "prn", "aux", "nul"};

// The script on disk: the descriptor of the file the player named.
class ScriptFile : public Sink {
 public:
  void attach(int descriptor) { descriptor_ = descriptor; }

  WriteResult write(std::string_view text) override { return writeSome(descriptor_, text); }

  std::optional<int> restrictToOwner() override { return bindsmith::restrictToOwner(descriptor_); }

  std::optional<int> close() override { return closeDescriptor(std::exchange(descriptor_, -1)); }

 private:
  int descriptor_ = -1;
};

ScriptFile scriptFile;
OutputBuffer scriptBuffer;
// Where the open script goes: scriptFile, or what redirectScript gave.
Sink* scriptSink = nullptr;
Sink* scriptRedirect = nullptr;
std::string scriptName;
bool writeFailureReported = false;

std::string describeError(int error) {
  return std::generic_category().message(error);
}

// Ends the script's sink, if one is open; returns the close's failure.
std::optional<int> closeScript() {
  Sink* const sink = std::exchange(scriptSink, nullptr);
  scriptBuffer.sendTo(nullptr);
  return sink != nullptr ? sink->close() : std::nullopt;
}

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
std::optional<std::string> askForName() {
  std::cout << "Please enter the name of the config file" << std::endl
            << "8 letters maximum only a-z are allowed" << std::endl;
  std::string name = normaliseName(readWord(kTypedWordChars, PromptLine::closed));
  discardLine(kNameLineDiscard);
  if (!isValidName(name)) {
    std::cout << name << ".cfg is not a vaild filename please try again" << std::endl;
    return std::nullopt;
  }
  if (!askYesNo({name + ".cfg <-- Is that the correct choice", "1. yes 2. no"},
                "Is that the correct file name")) {
    return std::nullopt;
  }
  return name;
}

}  // namespace

std::optional<std::string> openConfigFile(const std::string& name) {
  if (scriptRedirect != nullptr) {
    scriptSink = scriptRedirect;
  } else {
    const Opened opened = openForWriting(name);
    if (opened.descriptor < 0) {
      return describeError(opened.error);
    }
    scriptFile.attach(opened.descriptor);
    scriptSink = &scriptFile;
  }
  scriptBuffer.sendTo(scriptSink);
  configFile.rdbuf(&scriptBuffer);
  scriptName = name;
  return std::nullopt;
}

void redirectScript(Sink* sink) {
  scriptRedirect = sink;
}

void setConfigFileName() {
  std::optional<std::string> name;
  while (!name) {
    name = askForName();
  }
  const std::string fileName = *name + std::string{kScriptExtension};
  std::cout << "Setting filename to " << fileName << std::endl;
  if (const auto failure = openConfigFile(fileName)) {
    printFramed("Could not open " + fileName + " for writing: " + *failure);
    return;
  }
  runState.fileNameSet = true;
  printSeparator();
  printSeparator();
}

StatementGroup::StatementGroup() {
  scriptBuffer.hold();
}

StatementGroup::~StatementGroup() {
  scriptBuffer.release();
  configFile.flush();
}

bool restrictScriptToOwner() {
  if (const auto failure = scriptSink->restrictToOwner()) {
    scriptBuffer.recordFailure(*failure);
    return false;
  }
  return true;
}

void reportScriptWriteFailure() {
  if (const auto failure = scriptBuffer.failure(); failure && !writeFailureReported) {
    writeFailureReported = true;
    printFramed("Could not write to " + scriptName + ": " + describeError(*failure));
  }
}

bool finishConfigFile() {
  configFile.flush();
  if (const auto failure = closeScript()) {
    scriptBuffer.recordFailure(*failure);
  }
  reportScriptWriteFailure();
  const bool intact = !scriptBuffer.failure();
  resetConfigFile();
  return intact;
}

void resetConfigFile() {
  closeScript();
  scriptBuffer.discard();
  scriptBuffer.forgetFailure();
  configFile.rdbuf(nullptr);
  scriptName.clear();
  writeFailureReported = false;
}

}  // namespace bindsmith
