#include "config/script.h"

#include "config/kept_copy.h"
#include "console/frame.h"
#include "platform/files.h"

namespace bindsmith {

namespace {

// An earlier script of the chosen name is kept under its name plus this.
constexpr std::string_view kKeptCopyExtension = ".bak";

}  // namespace

WriteResult Script::File::write(std::string_view text) {
  return neverGivenUp(writeSome(descriptor_, text));
}

Result<void> Script::File::close() {
  return closeDescriptor(descriptor_);
}

Result<void> Script::File::restrictToOwner() {
  return bindsmith::restrictToOwner(descriptor_);
}

void Script::File::mark() {
  const Result<std::int64_t> position = writePosition(descriptor_);
  mark_ = position.ok() ? std::optional<std::int64_t>{position.value()} : std::nullopt;
}

// A group cut short by a full disk is taken back whole. Should the cut fail
// too, the write's failure is what the player is told.
void Script::File::returnToMark() {
  if (mark_) {
    static_cast<void>(cutBack(descriptor_, *mark_));
  }
}

Script::Script(Sink* instead) : instead_(instead) {}

Script::~Script() {
  static_cast<void>(close());
}

Script::Opening Script::open(const std::string& name) {
  Opening opening;
  Sink* sink = instead_;
  if (sink == nullptr) {
    // Opened before the copy is made, so that a script that cannot be
    // written leaves no copy behind; emptied only once the copy is whole.
    const Result<int> descriptor = openForWriting(name);
    if (!descriptor.ok()) {
      opening.refusal = descriptor.failure().reason();
      return opening;
    }
    const std::string copyName = name + std::string{kKeptCopyExtension};
    const Result<bool> kept = keepCopy(name, copyName);
    const Result<void> emptied = kept.ok() ? cutBack(descriptor.value(), 0) : Result<void>{};
    if (!kept.ok() || !emptied.ok()) {
      static_cast<void>(closeDescriptor(descriptor.value()));  // nothing was written
      opening.refusal = kept.ok() ? emptied.failure().reason()
                                  : "the earlier script could not be kept as " + copyName + ": " +
                                        kept.failure().reason();
      return opening;
    }
    if (kept.value()) {
      opening.keptAs = copyName;
    }
    sink = &file_.emplace(descriptor.value());
  }
  buffer_.sendTo(sink);
  name_ = name;
  return opening;
}

bool Script::restrictToOwner() {
  Sink* const sink = buffer_.sink();
  if (sink == nullptr) {
    return true;
  }
  if (const Result<void> restricted = sink->restrictToOwner(); !restricted.ok()) {
    buffer_.recordFailure(restricted.failure());
    return false;
  }
  return true;
}

void Script::reportWriteFailure() {
  if (const auto& failure = buffer_.failure(); failure && !failureReported_) {
    failureReported_ = true;
    printFramed("Could not write to " + name_ + ": " + failure->reason());
  }
}

Result<void> Script::close() {
  flush();
  Sink* const sink = buffer_.sink();
  buffer_.sendTo(nullptr);
  return sink != nullptr ? sink->close() : Result<void>{};
}

bool Script::finish() {
  if (const Result<void> closed = close(); !closed.ok()) {
    buffer_.recordFailure(closed.failure());
  }
  reportWriteFailure();
  return !buffer_.failure();
}

StatementGroup::StatementGroup(Script& script) : script_(script) {
  script_.buffer_.hold();
}

StatementGroup::~StatementGroup() {
  script_.buffer_.release();
  script_.flush();
}

}  // namespace bindsmith
