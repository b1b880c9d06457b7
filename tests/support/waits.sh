#!/usr/bin/env bash
# Waits for what the program does, for the transcripts that drive a running
# program (tests/run_case.sh gives their `invoke` this file as "$waits").
# Every wait is bounded by a time in seconds, never by a count of turns:
# on a busy machine a turn takes longer, and a count runs out while the
# program is still on its way. A wait that runs out says what it waited
# for on standard error, which fails the case with that reason. Nothing
# here depends on the kernel's name for a wait, which differs from one
# system call to another and from one kernel to the next.

# How long a wait may take: well inside run_case's limit for the case.
kWaitSeconds=10

# within WHAT COMMAND...: runs COMMAND until it succeeds, for at most
# kWaitSeconds; false, with WHAT on standard error, if it never does or
# if it says that it never will (status 2: the program has ended).
within() {
  local what=$1
  shift
  local now=${EPOCHREALTIME//[!0-9]/}
  local deadline=$((now + kWaitSeconds * 1000000))
  local status
  for (( ; ; )); do
    "$@"
    status=$?
    ((status == 0)) && return 0
    if ((status == 2)); then
      echo "the program ended before $what" >&2
      return 1
    fi
    now=${EPOCHREALTIME//[!0-9]/}
    if ((now >= deadline)); then
      echo "waited ${kWaitSeconds} s for $what" >&2
      return 1
    fi
    sleep 0.01
  done
}

# shows TEXT FILE: the console file holds TEXT.
shows() {
  grep -qF -- "$1" "$2" 2>/dev/null
}

# asleep PID: process PID is the program itself (not the shell that is
# still opening its redirections) and sleeps: it waits for its input or
# for room to write, the only things the program ever waits for. Status 2
# once the process has ended.
asleep() {
  local stat
  read -r stat 2>/dev/null <"/proc/$1/stat" || return 2
  # A process that has ended but is not yet waited for.
  [[ $stat == *") Z "* ]] && return 2
  # shellcheck disable=SC2154 # "$program" is run_case's, as for invoke
  [ "$(readlink "/proc/$1/exe" 2>/dev/null)" = "$(realpath "$program")" ] || return 1
  # The name in parentheses may hold blanks; the state follows the last ')'.
  stat=${stat##*) }
  [ "${stat%% *}" = S ]
}

# full FD: the pipe on descriptor FD has no room for another write of up
# to PIPE_BUF bytes, which a writer must then wait for.
full() {
  python3 -c '
import fcntl, struct, sys, termios
fd = int(sys.argv[1])
held = struct.unpack("i", fcntl.ioctl(fd, termios.FIONREAD, b"\0" * 4))[0]
sys.exit(0 if held > fcntl.fcntl(fd, fcntl.F_GETPIPE_SZ) - 4096 else 1)' "$1"
}

# waiting_to_write PID FD: the program sleeps with the pipe it writes to,
# read on descriptor FD, full: it waits for room to write, whether it
# sleeps in the write itself or in a wait for the descriptor.
waiting_to_write() {
  asleep "$1" && full "$2"
}

# shown_and_waiting PID TEXT FILE: the program has shown TEXT and sleeps:
# it waits for the answer to what it asked.
shown_and_waiting() {
  asleep "$1" && shows "$2" "$3"
}

# made_and_waiting PID FILE: the program has made FILE and sleeps: it waits
# for the next answer, with the file open.
made_and_waiting() {
  asleep "$1" && [ -e "$2" ]
}
