#include "console/interrupts.h"

#include <io.h>
#include <windows.h>

#include <atomic>
#include <iostream>
#include <span>
#include <streambuf>

#include "console/block_input.h"
#include "console/descriptors.h"

// The console control handler runs on a thread of its own, started by
// Windows for each event: it records the event and ends the main thread's
// read, which does all the rest. Only reads are ever cancelled: the main
// thread marks its reads under a lock that the cancelling also takes, so the
// script and the console are written and closed undisturbed.
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
bool catching = false;

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

// Standard input read through the C runtime, which turns CR LF into LF and
// ends the input at Ctrl-Z, as in every Windows console program.
class InterruptibleInput : public BlockInput {
 protected:
  std::ptrdiff_t fill(std::span<char> block) override {
    EnterCriticalSection(&readLock);
    reading = !caughtAny;
    const bool start = reading;
    LeaveCriticalSection(&readLock);
    if (!start) {
      return 0;
    }
    SetLastError(ERROR_SUCCESS);
    const int count = _read(kStandardInput, block.data(), static_cast<unsigned>(block.size()));
    const bool aborted = GetLastError() == ERROR_OPERATION_ABORTED;
    EnterCriticalSection(&readLock);
    reading = false;
    LeaveCriticalSection(&readLock);
    if (aborted) {
      // Cancelled by the handler, or ended by Ctrl-C at a console before
      // its handler has run: either way the interrupt decides how the run
      // ends, so let the handler record it.
      WaitForSingleObject(caughtEvent, kHandlerStart);
    }
    return caughtAny ? 0 : count;
  }
};

InterruptibleInput interruptibleInput;
std::streambuf* ownInput = nullptr;

}  // namespace

std::string_view interruptedStatuses() {
  return "0xC000013A when Ctrl-C,\nCtrl-Break or closing the window ended the run";
}

void catchInterrupts() {
  InitializeCriticalSection(&readLock);
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &mainThread, 0,
                  FALSE, DUPLICATE_SAME_ACCESS);
  caughtEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(onConsoleControl, TRUE);
  ownInput = std::cin.rdbuf(&interruptibleInput);
  catching = true;
}

bool interrupted() {
  return caughtAny;
}

bool waitToWrite(int /*descriptor*/) {
  return true;
}

int endByInterrupt(int status) {
  if (!caughtAny) {
    return status;
  }
  SetEvent(finished);
  ExitProcess(kControlCExit);
}

void releaseInterrupts() {
  if (!catching) {
    return;
  }
  SetConsoleCtrlHandler(onConsoleControl, FALSE);
  std::cin.rdbuf(ownInput);
  for (HANDLE* handle : {&mainThread, &caughtEvent, &finished}) {
    CloseHandle(*handle);
    *handle = nullptr;
  }
  DeleteCriticalSection(&readLock);
  caughtAny = false;
  catching = false;
}

}  // namespace bindsmith
