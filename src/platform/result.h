#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

// What a call to the system gave: a value, or why it failed. Every call of
// the platform layer that can fail answers with a Result, which its caller
// must look at.
namespace bindsmith {

// Why a call to the system failed: the errno it gave, taken at the call
// itself, since any later call may change errno. Never 0: a failure that
// set none reads as an I/O error.
class Failure {
 public:
  explicit Failure(int error) : error_(error != 0 ? error : EIO) {}
  [[nodiscard]] int error() const { return error_; }
  // The system's text for it, as the player is told it.
  [[nodiscard]] std::string reason() const { return std::generic_category().message(error_); }

 private:
  int error_;
};

// The failure of the call that has just failed, as errno tells it.
inline Failure lastFailure() {
  return Failure{errno};
}

template <typename T>
class [[nodiscard]] Result {
 public:
  // A call returns its value, or its failure, as it is.
  // cppcheck-suppress noExplicitConstructor
  Result(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
  // cppcheck-suppress noExplicitConstructor
  Result(Failure failure) : failure_(failure) {}  // NOLINT(google-explicit-constructor)

  [[nodiscard]] bool ok() const { return !failure_.has_value(); }
  // Only when ok().
  [[nodiscard]] const T& value() const { return value_.value(); }
  // Only when not ok().
  [[nodiscard]] const Failure& failure() const { return failure_.value(); }

 private:
  std::optional<T> value_;
  std::optional<Failure> failure_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  // cppcheck-suppress noExplicitConstructor
  Result(Failure failure) : failure_(failure) {}  // NOLINT(google-explicit-constructor)

  [[nodiscard]] bool ok() const { return !failure_.has_value(); }
  [[nodiscard]] const Failure& failure() const { return failure_.value(); }

 private:
  std::optional<Failure> failure_;
};

// The result of a call that said by `succeeded` whether it did: `value`,
// or the failure errno gives.
template <typename T>
Result<T> succeededIf(bool succeeded, T value) {
  if (!succeeded) {
    return lastFailure();
  }
  return value;
}

inline Result<void> succeededIf(bool succeeded) {
  if (!succeeded) {
    return lastFailure();
  }
  return {};
}

// The result of a write call that returned `written`: the bytes it took,
// or, for -1, the failure errno gives. One that took nothing and said not
// why fails as an I/O error.
inline Result<std::size_t> bytesTaken(std::int64_t written) {
  if (written == 0) {
    return Failure{0};
  }
  return succeededIf(written > 0, static_cast<std::size_t>(written));
}

// What one write did: took some bytes; failed, and why; or, taking nothing,
// was given up (a console that nobody reads while the run ends), so that
// its text is dropped quietly.
class [[nodiscard]] WriteResult {
 public:
  enum class Outcome { took, failed, givenUp };

  static WriteResult took(std::size_t bytes) { return WriteResult{Outcome::took, bytes}; }
  static WriteResult givenUp() { return WriteResult{Outcome::givenUp, 0}; }
  // A write fails as the call failed.
  // cppcheck-suppress noExplicitConstructor
  WriteResult(Failure failure)  // NOLINT(google-explicit-constructor)
      : outcome_(Outcome::failed), failure_(failure) {}
  // A write call that is never given up: it took bytes or failed.
  static WriteResult of(const Result<std::size_t>& written) {
    return written.ok() ? took(written.value()) : WriteResult{written.failure()};
  }

  [[nodiscard]] Outcome outcome() const { return outcome_; }
  // Only when it took bytes.
  [[nodiscard]] std::size_t bytes() const { return bytes_; }
  // Only when it failed.
  [[nodiscard]] const Failure& failure() const { return failure_.value(); }

 private:
  WriteResult(Outcome outcome, std::size_t bytes) : outcome_(outcome), bytes_(bytes) {}

  Outcome outcome_;
  std::size_t bytes_ = 0;
  std::optional<Failure> failure_;
};

}  // namespace bindsmith
