#include <windows.h>

#include <atomic>

#include "platform/console_reads_windows.h"
#include "platform/interrupts.h"

// The console control handler runs on a thread of its own, started by
// Windows for each event: it records the event and ends the main thread's
// read of standard input, which does all the rest.
namespace bindsmith {

namespace {

// Windows' own ending for a console program stopped by Ctrl-C.
constexpr UINT kControlCExit = 0xC000013A;
// How long a read that a console event cut short waits for the handler:
// Ctrl-C ends a console read at once, but Windows starts its handler later,
// on a thread of its own.
constexpr DWORD kHandlerStart = 1000;
// How often the handler cancels a read that has not returned yet.
constexpr DWORD kCancelRetry = 10;

std::atomic<bool> caughtAny{false};
HANDLE caughtEvent = nullptr;  // set with caughtAny, for a read to wait on
HANDLE finished = nullptr;     // set once the script is closed
HANDLE mainThread = nullptr;
CRITICAL_SECTION readLock;
bool reading = false;  // guarded by readLock

BOOL WINAPI onConsoleControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      break;
    default:
      return FALSE;
  }
  EnterCriticalSection(&readLock);
  caughtAny = true;
  LeaveCriticalSection(&readLock);
  SetEvent(caughtEvent);
  // A read of a pipe does not return by itself. The main thread starts no
  // read once caughtAny is set, so this ends when the read in progress, if
  // any, has returned; it may not have begun when first cancelled.
  for (;;) {
    EnterCriticalSection(&readLock);
    const bool inRead = reading;
    if (inRead) {
      CancelSynchronousIo(mainThread);
    }
    LeaveCriticalSection(&readLock);
    if (!inRead) {
      break;
    }
    Sleep(kCancelRetry);
  }
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
    // Returning ends the process at once: wait until the script is closed.
    WaitForSingleObject(finished, INFINITE);
  }
  return TRUE;
}

// Windows' error codes are no errno values: a failure here reads as an
// I/O error.
Result<void> catchConsoleEvents() {
  InitializeCriticalSection(&readLock);
  if (DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &mainThread, 0,
                      FALSE, DUPLICATE_SAME_ACCESS) == 0) {
    return Failure{0};
  }
  caughtEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (caughtEvent == nullptr || finished == nullptr ||
      SetConsoleCtrlHandler(onConsoleControl, TRUE) == 0) {
    return Failure{0};
  }
  return {};
}

}  // namespace

InterruptCatcher::InterruptCatcher() : setUp_(catchConsoleEvents()) {}

InterruptCatcher::~InterruptCatcher() {
  SetConsoleCtrlHandler(onConsoleControl, FALSE);
  for (HANDLE* handle : {&mainThread, &caughtEvent, &finished}) {
    if (*handle != nullptr) {
      CloseHandle(*handle);
      *handle = nullptr;
    }
  }
  DeleteCriticalSection(&readLock);
  caughtAny = false;
}

bool interrupted() {
  return caughtAny;
}

int endByInterrupt(int status) {
  if (!caughtAny) {
    return status;
  }
  SetEvent(finished);
  ExitProcess(kControlCExit);
}

bool beginConsoleRead() {
  EnterCriticalSection(&readLock);
  reading = !caughtAny;
  const bool begun = reading;
  LeaveCriticalSection(&readLock);
  return begun;
}

bool endConsoleRead(bool aborted) {
  EnterCriticalSection(&readLock);
  reading = false;
  LeaveCriticalSection(&readLock);
  if (aborted) {
    // Cancelled by the handler, or ended by Ctrl-C at a console before its
    // handler has run: either way the interrupt decides how the run ends,
    // so let the handler record it.
    WaitForSingleObject(caughtEvent, kHandlerStart);
  }
  return caughtAny;
}

}  // namespace bindsmith
