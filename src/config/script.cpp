#include "config/script.h"

#include <system_error>
#include <utility>

#include "console/descriptors.h"
#include "console/frame.h"
#include "console/output_buffer.h"

namespace bindsmith {

std::ostream configFile{nullptr};

namespace {

// An earlier script of the chosen name is kept under its name plus this.
constexpr std::string_view kKeptCopyExtension = ".bak";

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
// Where the next script opened goes instead of a file: what redirectScript
// gave. The open script's destination is the buffer's sink.
Sink* scriptRedirect = nullptr;
std::string scriptName;
bool writeFailureReported = false;

std::string describeError(int error) {
  return std::generic_category().message(error);
}

// Ends the script's sink, if one is open; returns the close's failure.
std::optional<int> closeScript() {
  Sink* const sink = scriptBuffer.sink();
  scriptBuffer.sendTo(nullptr);
  return sink != nullptr ? sink->close() : std::nullopt;
}

}  // namespace

OpenedScript openScript(const std::string& name) {
  OpenedScript opened;
  Sink* sink = scriptRedirect;
  if (sink == nullptr) {
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
    sink = &scriptFile;
  }
  scriptBuffer.sendTo(sink);
  configFile.rdbuf(&scriptBuffer);
  scriptName = name;
  return opened;
}

void redirectScript(Sink* sink) {
  scriptRedirect = sink;
}

StatementGroup::StatementGroup() {
  scriptBuffer.hold();
}

StatementGroup::~StatementGroup() {
  scriptBuffer.release();
  configFile.flush();
}

bool restrictScriptToOwner() {
  Sink* const sink = scriptBuffer.sink();
  if (const auto failure = sink != nullptr ? sink->restrictToOwner() : std::nullopt) {
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

bool finishScript() {
  configFile.flush();
  if (const auto failure = closeScript()) {
    scriptBuffer.recordFailure(*failure);
  }
  reportScriptWriteFailure();
  const bool intact = !scriptBuffer.failure();
  resetScript();
  return intact;
}

void resetScript() {
  closeScript();
  scriptBuffer.discard();
  scriptBuffer.forgetFailure();
  configFile.rdbuf(nullptr);
  scriptName.clear();
  writeFailureReported = false;
}

}  // namespace bindsmith
