// Each input is a whole standard input. The session runs in this process on
// in-memory streams; after it, what must hold whatever was typed is checked,
// and any breach aborts so the fuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "support/script_checks.h"
#include "support/session.h"

namespace {

[[noreturn]] void breach(std::string_view what, std::string_view detail) {
  std::fprintf(stderr, "invariant broken: %.*s: %.*s\n", static_cast<int>(what.size()), what.data(),
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(data, data + size);
  const auto result = bindsmith::test::runSession(input);

  for (const std::string& problem : bindsmith::test::scriptProblems(
           result.script, bindsmith::test::confirmedWords(result.console))) {
    breach("script", problem);
  }
  // The run ends either at the menu prompt (status 0: choice 15, or input
  // ending there) or inside a dialogue that input ended (status 1).
  if (result.status != (bindsmith::test::endedAtTheMenu(result.console) ? 0 : 1)) {
    breach("exit status", std::to_string(result.status));
  }
  // Nothing is ever written to the script before a file name is confirmed,
  // and a failed open leaves nothing behind.
  if (!result.script.empty() && result.console.find("Setting filename to ") == std::string::npos) {
    breach("script written without a name", result.script);
  }
  return 0;
}
