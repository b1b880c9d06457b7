// Preloaded into the program (LD_PRELOAD) by the transcripts that need an
// instant no signal from outside can be timed to hit, a failure no disk
// gives on demand, or a record of the order of two calls. It stands in front
// of a few calls of the C library and does what the environment asks:
//   BINDSMITH_SHIM_INTERRUPT=read   SIGTERM just before the first read of a
//                                   pipe that holds nothing;
//                            block  just before the first call that blocks
//                                   SIGTERM (sigprocmask SIG_BLOCK);
//                            wait   just before the first wait with no
//                                   time limit (ppoll) for what is not
//                                   ready.
//   BINDSMITH_SHIM_FAIL=CALL,...     each named call fails:
//                       ftruncate   every ftruncate, with EIO;
//                       proc        every open of /proc/self/fd/N, as on a
//                                   system without /proc;
//                       dev-null    every open of /dev/null, with ENOENT;
//                       sigaction   every sigaction, with EINVAL.
//   BINDSMITH_SHIM_LOG=FILE         a line per fsync and ftruncate, "fsync
//                                   NAME" or "ftruncate NAME LENGTH", NAME
//                                   the file's own name.
// And always: a coverage build writes its counters (.gcda files) as it
// exits, which a file-size limit set for the script would cut short; the
// limit is lifted for them.
// POSIX only. The program must call the C library's own functions, which a
// sanitizer's interceptors in the program itself would hide.
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigprocmask
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The C library's own function behind `name`, of the type of `ours`.
template <typename Function>
Function* next(Function* /*ours*/, const char* name) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): dlsym's result is untyped
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

std::string_view setting(const char* name) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): one thread
  return value != nullptr ? value : "";
}

// Whether the transcript asked `call` to fail.
bool failing(std::string_view call) {
  std::string_view calls = setting("BINDSMITH_SHIM_FAIL");
  while (!calls.empty()) {
    const auto comma = calls.find(',');
    if (calls.substr(0, comma) == call) {
      return true;
    }
    calls.remove_prefix(comma == std::string_view::npos ? calls.size() : comma + 1);
  }
  return false;
}

// Raises SIGTERM the first time the program reaches `instant`, if that is
// the instant the transcript asked for.
void interruptAt(std::string_view instant) {
  static bool raised = false;
  if (!raised && setting("BINDSMITH_SHIM_INTERRUPT") == instant) {
    raised = true;
    kill(getpid(), SIGTERM);
  }
}

bool isEmptyPipe(int descriptor) {
  struct stat status {};
  int waiting = 0;
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): ioctl is variadic
  return fstat(descriptor, &status) == 0 && S_ISFIFO(status.st_mode) &&
         ioctl(descriptor, FIONREAD, &waiting) == 0 && waiting == 0;
}

void log(std::string_view call, int descriptor, std::string_view detail = {}) {
  const std::string_view file = setting("BINDSMITH_SHIM_LOG");
  if (file.empty()) {
    return;
  }
  std::array<char, 4096> target{};
  const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
  const ssize_t length = readlink(link.c_str(), target.data(), target.size());
  std::string_view name(target.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
  name.remove_prefix(name.find_last_of('/') + 1);
  std::string line{call};
  line.append(" ").append(name);
  if (!detail.empty()) {
    line.append(" ").append(detail);
  }
  line += '\n';
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): open is variadic
  const int out = open(std::string{file}.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (out >= 0) {
    [[maybe_unused]] const ssize_t written = write(out, line.data(), line.size());
    close(out);
  }
}

// What an open of `path` must do first: false if it is to fail.
bool mayOpen(std::string_view path) {
  if (path.ends_with(".gcda")) {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0) {
      limit.rlim_cur = limit.rlim_max;
      setrlimit(RLIMIT_FSIZE, &limit);
    }
  }
  if ((failing("proc") && path.starts_with("/proc/self/fd/")) ||
      (failing("dev-null") && path == "/dev/null")) {
    errno = ENOENT;
    return false;
  }
  return true;
}

// open and open64 pass a mode only when they create a file.
template <typename Open>
int openAs(Open* real, const char* path, int flags, va_list rest) {
  if (!mayOpen(path)) {
    return -1;
  }
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg,hicpp-vararg): the mode, if any
  const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(rest, mode_t) : 0;
  return real(path, flags, mode);
}

int truncateOrFail(int descriptor, off_t length, int (*real)(int, off_t)) {
  log("ftruncate", descriptor, std::to_string(length));
  if (failing("ftruncate")) {
    errno = EIO;
    return -1;
  }
  return real(descriptor, length);
}

}  // namespace

// The C library's own parameter names are reserved to it.
// NOLINTBEGIN(readability-inconsistent-declaration-parameter-name)
extern "C" {

int open(const char* path, int flags, ...) {
  static auto* const real = next(open, "open");
  va_list rest;
  va_start(rest, flags);
  const int descriptor = openAs(real, path, flags, rest);
  va_end(rest);
  return descriptor;
}

// The same call under its large-file name; on a 64-bit system they are one.
int open64(const char* path, int flags, ...) __attribute__((alias("open")));

FILE* fopen(const char* path, const char* mode) {
  static auto* const real = next(fopen, "fopen");
  return mayOpen(path) ? real(path, mode) : nullptr;
}

ssize_t read(int descriptor, void* buffer, size_t size) {
  static auto* const real = next(read, "read");
  if (isEmptyPipe(descriptor)) {
    interruptAt("read");
  }
  return real(descriptor, buffer, size);
}

int sigaction(int signal, const struct sigaction* action, struct sigaction* old) noexcept {
  static auto* const real = next(sigaction, "sigaction");
  if (failing("sigaction")) {
    errno = EINVAL;
    return -1;
  }
  return real(signal, action, old);
}

int sigprocmask(int how, const sigset_t* set, sigset_t* old) noexcept {
  static auto* const real = next(sigprocmask, "sigprocmask");
  if (how == SIG_BLOCK && set != nullptr && sigismember(set, SIGTERM) == 1) {
    interruptAt("block");
  }
  return real(how, set, old);
}

int ppoll(pollfd* descriptors, nfds_t count, const timespec* limit, const sigset_t* mask) {
  static auto* const real = next(ppoll, "ppoll");
  if (limit == nullptr && poll(descriptors, count, 0) == 0) {
    interruptAt("wait");
  }
  return real(descriptors, count, limit, mask);
}

int fsync(int descriptor) {
  static auto* const real = next(fsync, "fsync");
  log("fsync", descriptor);
  return real(descriptor);
}

int ftruncate(int descriptor, off_t length) noexcept {
  static auto* const real = next(ftruncate, "ftruncate");
  return truncateOrFail(descriptor, length, real);
}

}  // extern "C"
// NOLINTEND(readability-inconsistent-declaration-parameter-name)
