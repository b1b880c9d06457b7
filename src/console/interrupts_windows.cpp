#include "console/interrupts.h"

#include <windows.h>

#include <atomic>
#include <iostream>

namespace bindsmith {

namespace {

// The console control handler runs on a thread of its own: it records the
// event and wakes the main thread, which does all the work.
std::atomic<bool> caughtAny{false};
HANDLE mainThread = nullptr;
HANDLE noticed = nullptr;   // set once the main thread has seen the event
HANDLE finished = nullptr;  // set once the script is closed

// Windows' own ending for a console program stopped by Ctrl-C.
constexpr UINT kControlCExit = 0xC000013A;

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
  caughtAny = true;
  // A read of a pipe does not return by itself: cancel it, again and again
  // until the main thread has noticed, in case it was between its check and
  // the next read.
  do {
    CancelSynchronousIo(mainThread);
  } while (WaitForSingleObject(noticed, 10) == WAIT_TIMEOUT);
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
    // Returning ends the process at once: wait until the script is closed.
    WaitForSingleObject(finished, INFINITE);
  }
  return TRUE;
}

}  // namespace

void catchInterrupts() {
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &mainThread, 0,
                  FALSE, DUPLICATE_SAME_ACCESS);
  noticed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

bool interrupted() {
  if (!caughtAny) {
    return false;
  }
  SetEvent(noticed);
  return true;
}

bool waitToWrite(int /*descriptor*/) {
  return true;
}

int endByInterrupt(int status) {
  if (!interrupted()) {
    return status;
  }
  SetEvent(finished);
  ExitProcess(kControlCExit);
}

void releaseInterrupts() {
  SetConsoleCtrlHandler(onConsoleControl, FALSE);
  caughtAny = false;
  for (HANDLE* handle : {&mainThread, &noticed, &finished}) {
    CloseHandle(*handle);
    *handle = nullptr;
  }
}

}  // namespace bindsmith
