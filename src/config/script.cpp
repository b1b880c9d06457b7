#include "config/script.h"

#include <utility>

#include "config/kept_copy.h"
#include "console/prompt.h"
#include "platform/files.h"

namespace bindsmith {

namespace {

// An earlier script of the chosen name is kept under its name plus this.
constexpr std::string_view kKeptCopyExtension = ".bak";

}  // namespace

WriteResult Script::File::write(std::string_view text) {
  return WriteResult::of(writeSome(descriptor_, text));
}

Result<void> Script::File::close() {
  return closeDescriptor(descriptor_);
}

Result<void> Script::File::restrictToOwner() {
  return regular_ ? bindsmith::restrictToOwner(descriptor_) : Result<void>{};
}

void Script::File::mark() {
  const Result<std::int64_t> position = writePosition(descriptor_);
  mark_ = position.ok() ? std::optional<std::int64_t>{position.value()} : std::nullopt;
}

// A group cut short by a full disk is taken back whole. Should the cut fail
// too, the write's failure is what the player is told.
void Script::File::returnToMark() {
  if (regular_ && mark_) {
    static_cast<void>(cutBack(descriptor_, *mark_));
  }
}

Script::Script(Sink* instead) : instead_(instead) {}

Script::~Script() {
  static_cast<void>(close());
}

Script::Opening Script::open(const std::string& name) {
  if (instead_ != nullptr) {
    buffer_.sendTo(instead_);
    name_ = name;
    return {};
  }
  // Opened before the copy is made, so that a script that cannot be
  // written leaves no copy behind; emptied only once the copy is whole.
  const Result<int> descriptor = openForWriting(name);
  if (!descriptor.ok()) {
    return {descriptor.failure().reason(), std::nullopt};
  }
  const auto refuse = [&](std::string why) {
    static_cast<void>(closeDescriptor(descriptor.value()));  // nothing was written
    return Opening{std::move(why), std::nullopt};
  };
  const std::string copyName = name + std::string{kKeptCopyExtension};
  const Result<bool> kept = keepCopy(name, copyName);
  if (!kept.ok()) {
    return refuse("the earlier script could not be kept as " + copyName + ": " +
                  kept.failure().reason());
  }
  const Result<FileFacts> facts = factsOf(descriptor.value());
  if (!facts.ok()) {
    return refuse(facts.failure().reason());
  }
  if (facts.value().regular) {
    if (const Result<void> emptied = cutBack(descriptor.value(), 0); !emptied.ok()) {
      return refuse(emptied.failure().reason());
    }
  }
  buffer_.sendTo(&file_.emplace(descriptor.value(), facts.value().regular));
  name_ = name;
  return {std::nullopt, kept.value() ? std::optional<std::string>{copyName} : std::nullopt};
}

bool Script::restrictToOwner() {
  if (const Result<void> restricted = buffer_.sink()->restrictToOwner(); !restricted.ok()) {
    buffer_.recordFailure(restricted.failure());
    return false;
  }
  return true;
}

void Script::reportWriteFailure(Console& console) {
  if (const auto& failure = buffer_.failure(); failure && !failureReported_) {
    failureReported_ = true;
    console.printFramed("Could not write to " + name_ + ": " + failure->reason());
  }
}

Result<void> Script::close() {
  flush();
  Sink* const sink = buffer_.sink();
  buffer_.sendTo(nullptr);
  return sink != nullptr ? sink->close() : Result<void>{};
}

bool Script::finish(Console& console) {
  if (const Result<void> closed = close(); !closed.ok()) {
    buffer_.recordFailure(closed.failure());
  }
  reportWriteFailure(console);
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
