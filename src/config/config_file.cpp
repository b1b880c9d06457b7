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
// Only the first eight characters of the typed word make the name.
constexpr std::size_t kNameLetters = 8;
constexpr std::string_view kScriptExtension = ".cfg";
// An earlier script of the chosen name is kept under its name plus this.
constexpr std::string_view kKeptCopyExtension = ".bak";
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

  void mark() override { mark_ = writePosition(descriptor_); }

  // A group cut short by a full disk is taken back whole. Should the cut
  // fail too, the write's failure is what the player is told.
  void returnToMark() override {
    if (mark_) {
      cutBack(descriptor_, *mark_);
    }
  }

 private:
  int descriptor_ = -1;
  std::optional<std::int64_t> mark_;
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
  discardLine(kWordLineDiscard);
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

OpenedScript openConfigFile(const std::string& name) {
  OpenedScript opened;
  if (scriptRedirect != nullptr) {
    scriptSink = scriptRedirect;
  } else {
    // Opened before the copy is made, so that a script that cannot be
    // written leaves no copy behind; emptied only once the copy is whole.
    const Opened file = openForWriting(name);
    if (file.descriptor < 0) {
      opened.failure = describeError(file.error);
      return opened;
    }
    const std::string copyName = name + std::string{kKeptCopyExtension};
    const Copied copy = keepCopy(name, copyName);
    std::optional<int> emptied;
    if (copy.error == 0) {
      emptied = cutBack(file.descriptor, 0);
    }
    if (copy.error != 0 || emptied) {
      closeDescriptor(file.descriptor);
      opened.failure = copy.error != 0 ? "the earlier script could not be kept as " + copyName +
                                             ": " + describeError(copy.error)
                                       : describeError(*emptied);
      return opened;
    }
    if (copy.copied) {
      opened.keptAs = copyName;
    }
    scriptFile.attach(file.descriptor);
    scriptSink = &scriptFile;
  }
  scriptBuffer.sendTo(scriptSink);
  configFile.rdbuf(&scriptBuffer);
  scriptName = name;
  return opened;
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
  const OpenedScript opened = openConfigFile(fileName);
  if (opened.failure) {
    printFramed("Could not open " + fileName + " for writing: " + *opened.failure);
    return;
  }
  if (!opened.keptAs.empty()) {
    std::cout << "The earlier " << fileName << " is kept as " << opened.keptAs << std::endl;
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
