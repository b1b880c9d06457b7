#include "config/config_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <iostream>
#include <system_error>

#include "console/frame.h"
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

// Holds the script's text until it may reach the disk: at each flush (each
// line end) when no statement group is open, otherwise when the last group
// ends. The held text is passed on in one piece, which the file's own buffer
// writes in one system call.
class GroupingBuffer : public std::streambuf {
 public:
  void sendTo(std::streambuf* target) {
    target_ = target;
    held_.clear();
    openGroups_ = 0;
  }
  void openGroup() { ++openGroups_; }
  void closeGroup() { --openGroups_; }

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      held_.push_back(traits_type::to_char_type(c));
    }
    return traits_type::not_eof(c);
  }

  std::streamsize xsputn(const char_type* text, std::streamsize count) override {
    held_.append(text, static_cast<std::size_t>(count));
    return count;
  }

  int sync() override {
    if (openGroups_ > 0 || held_.empty()) {
      return 0;
    }
    const auto size = static_cast<std::streamsize>(held_.size());
    const bool written = target_->sputn(held_.data(), size) == size && target_->pubsync() == 0;
    held_.clear();
    return written ? 0 : -1;
  }

 private:
  std::streambuf* target_ = nullptr;
  std::string held_;
  int openGroups_ = 0;
};

std::filebuf scriptFile;
GroupingBuffer grouping;
std::streambuf* scriptRedirect = nullptr;
std::string scriptName;
std::optional<std::string> writeFailure;
bool writeFailureReported = false;

std::string describeErrno(int error) {
  // A buffer that fails without saying why still gets a reason worth showing.
  return std::generic_category().message(error != 0 ? error : EIO);
}

void detachScript() {
  configFile.rdbuf(nullptr);
  grouping.sendTo(nullptr);
  scriptName.clear();
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
    grouping.sendTo(scriptRedirect);
  } else {
    errno = 0;
    if (scriptFile.open(name, std::ios::out | std::ios::trunc) == nullptr) {
      return describeErrno(errno);
    }
    grouping.sendTo(&scriptFile);
  }
  configFile.rdbuf(&grouping);
  scriptName = name;
  return std::nullopt;
}

void redirectScript(std::streambuf* buffer) {
  scriptRedirect = buffer;
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
  grouping.openGroup();
}

StatementGroup::~StatementGroup() {
  grouping.closeGroup();
  configFile.flush();
  checkScriptWrite();
}

void checkScriptWrite() {
  if (configFile.fail() && !writeFailure) {
    writeFailure = describeErrno(errno);
  }
}

void reportScriptWriteFailure() {
  if (writeFailure && !writeFailureReported) {
    writeFailureReported = true;
    printFramed("Could not write to " + scriptName + ": " + *writeFailure);
  }
}

bool finishConfigFile() {
  if (configFile.rdbuf() != nullptr) {
    errno = 0;
    configFile.flush();
    checkScriptWrite();
    if (scriptFile.is_open() && scriptFile.close() == nullptr && !writeFailure) {
      writeFailure = describeErrno(errno);
    }
  }
  reportScriptWriteFailure();
  const bool intact = !writeFailure;
  resetConfigFile();
  return intact;
}

void resetConfigFile() {
  if (scriptFile.is_open()) {
    scriptFile.close();
  }
  detachScript();
  writeFailure.reset();
  writeFailureReported = false;
}

}  // namespace bindsmith
