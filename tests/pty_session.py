#!/usr/bin/env python3
"""Runs bindsmith on a real pseudo-terminal, as a player would.

Each answer is typed only once its prompt is on the screen: a prompt that
stayed in a buffer (no flush before the read) makes the wait time out and
the test fail. Then the ways a player leaves in the middle: Ctrl-C at the
menu, at a key prompt and inside the add-on questions, a polite kill
(SIGTERM), also while the terminal's output is stopped, and the terminal
window closed (SIGHUP). Each must leave a whole script and end the program
by that signal.

With --windows, PROGRAM is the Windows build and the command after it runs
it (wine): the console then draws the screen with escape sequences, so
prompts are compared without them and without white space, and Ctrl-C
at the ammunition question must leave the script whole (CR LF) and end the
process as Ctrl-C ends a console program.
Usage: pty_session.py [--windows] PROGRAM [RUNNER...]
"""
import fcntl
import os
import pty
import re
import select
import signal
import struct
import sys
import tempfile
import termios
import time
import tty

DEADLINE_SECONDS = 15


class Failure(Exception):
    pass

MENU_PROMPT = "13. Quick HE   14. Quick knife  15. Exit\r\nEnter a Main Menu choice, 1-15 "
FLASH = (b"alias +quickflash \"use weapon_flashbang;wait;wait;+attack;developer 1;"
         b"echo Throwing Flashbang;developer 0\"\n"
         b"alias -quickflash \"-attack;wait;wait;wait;lastinv;developer 1;"
         b"echo Threw Flashbang;developer 0\"\n"
         b"bind f +quickflash\n")


# What Windows' console draws around the text on a terminal: escape sequences,
# and cursor moves in place of blanks.
DRAWING = re.compile(rb"\x1b\[[0-9;?]*[A-Za-z]|\s")


class Terminal:
    def __init__(self, command, directory, windows=False):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.chdir(directory)
            if windows:
                # As Wine sets the terminal once it reads from it: keys one by
                # one, unechoed, Enter as CR; Ctrl-C still the interrupt. Set
                # before it starts, so that nothing is typed in the old mode.
                tty.setraw(0)
                mode = termios.tcgetattr(0)
                mode[3] |= termios.ISIG
                termios.tcsetattr(0, termios.TCSANOW, mode)
            os.execvp(command[0], command)
        self.windows = windows
        self.screen = b""
        self.seen = 0  # how much of the screen earlier waits have matched

    def wait_for(self, text):
        """Waits until `text` shows after what was already matched."""
        wanted = text.encode("latin-1")
        deadline = time.monotonic() + DEADLINE_SECONDS
        while True:
            screen = self.screen
            if self.windows:
                wanted = DRAWING.sub(b"", wanted)
                screen = DRAWING.sub(b"", screen)
            found = screen.find(wanted, self.seen)
            if found >= 0:
                self.seen = found + len(wanted)
                return
            left = deadline - time.monotonic()
            if left <= 0 or not self._read(left):
                raise Failure(f"never saw {text!r}; the screen ends with:\n"
                              f"{self.screen[-300:].decode('latin-1')}")

    def _read(self, timeout):
        ready, _, _ = select.select([self.fd], [], [], timeout)
        if not ready:
            return False
        try:
            chunk = os.read(self.fd, 4096)
        except OSError:  # the program has ended and the terminal is gone
            return False
        self.screen += chunk
        return bool(chunk)

    def type(self, answer):
        os.write(self.fd, answer.encode("latin-1") + b"\r")

    def waiting_to_write(self, typed):
        """Whether the program sleeps with some, not all, of the `typed`
        bytes read: answers are there, so it waits for room to write."""
        try:
            with open(f"/proc/{self.pid}/stat") as stat:
                state = stat.read().rpartition(")")[2].split()[0]
            terminal = os.open(os.readlink(f"/proc/{self.pid}/fd/0"),
                               os.O_RDONLY | os.O_NOCTTY | os.O_NONBLOCK)
        except OSError:  # the program has ended
            raise Failure("ended before it waited to write")
        try:
            queued = struct.unpack("i", fcntl.ioctl(terminal, termios.FIONREAD, b"\0" * 4))[0]
        finally:
            os.close(terminal)
        return state == "S" and 0 < queued < typed

    def wait_until(self, ready, what):
        """Waits, for at most DEADLINE_SECONDS, until `ready()` holds."""
        deadline = time.monotonic() + DEADLINE_SECONDS
        while not ready():
            if time.monotonic() > deadline:
                raise Failure(f"waited {DEADLINE_SECONDS} s for {what}")
            time.sleep(0.01)

    def exit_status(self):
        deadline = time.monotonic() + DEADLINE_SECONDS
        while time.monotonic() < deadline:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                return os.waitstatus_to_exitcode(status)
            if self.fd is None or not self._read(0.1):
                time.sleep(0.05)
        os.kill(self.pid, signal.SIGKILL)
        os.waitpid(self.pid, 0)
        raise Failure(f"still running after {DEADLINE_SECONDS} s")


# Steps are (prompt to wait for, answer to type or None).
NAME_THE_SCRIPT = [
    (MENU_PROMPT, "2"),
    ("8 letters maximum only a-z are allowed\r\n", "Pub"),
    ("Enter a Is that the correct file name choice, 1-2 ", "1"),
    ("Setting filename to pub.cfg\r\n", None),
]
BIND_FLASH = [
    (MENU_PROMPT, "12"),
    ("Enter a Quick flashbang key choice, 1-2 ", "1"),
    ("Please enter the key you wish to bind Flash gernade key to: ", "f"),
    ("f is that the correct key?\r\n1. Yes 2. No\r\nEnter a key conformation choice, 1-2 ", "1"),
]
PISTOL_TO_THE_AMMO = [
    (MENU_PROMPT, "4"),
    ("Enter a Pistol choice choice, 1-4 ", "1"),
    ("Please enter the key you wish to bind H&K USP .45 Tactical to: ", "u"),
    ("Enter a key conformation choice, 1-2 ", "1"),
    ("Enter a Ammo with that choice, 1-2 ", "1"),
    ("Enter a primary ammo choice, 0-6 ", "2"),
    ("Enter a secondiary ammo ammo choice, 0-6 ", "0"),
]
USP_WITH_TWO_MAGAZINES = (b"bind u uspa\nalias uspa \"buyweapon;menuselect 1;menuselect 1;"
                          b"buyammo;menuselect 1;buyammo;menuselect 1;showplayerinfo\"\n")
CTRL_C = "\x03"
# Ctrl-D ends a terminal line without a line break; at the start of a line it
# is the end of input.
CTRL_D = b"\x04"
# Ctrl-S stops the terminal's output: the program's next writes wait.
OUTPUT_STOPPED = "output stopped"

# (name, steps, the prompt at which the player leaves, how, expected script,
# expected exit status: a negative number is death by that signal)
SCENARIOS = [
    ("a whole session",
     NAME_THE_SCRIPT + [(MENU_PROMPT, "11"), ("Please enter the rcon password ", "secret"),
                        ("Enter a Rcon pass correct choice, 1-2 ", "1")] + BIND_FLASH,
     MENU_PROMPT, "15", b"rcon_password secret\n" + FLASH, 0),
    ("Ctrl-C at the main menu", NAME_THE_SCRIPT + BIND_FLASH,
     MENU_PROMPT, CTRL_C, FLASH, -signal.SIGINT),
    ("Ctrl-C at a key prompt", NAME_THE_SCRIPT + BIND_FLASH + [(MENU_PROMPT, "14"),
                                                               ("Enter a Knife choice choice, 1-2 ",
                                                                "1")],
     "Please enter the key you wish to bind Quick knife to: ", CTRL_C, FLASH, -signal.SIGINT),
    ("Ctrl-C inside the add-on questions", NAME_THE_SCRIPT + PISTOL_TO_THE_AMMO,
     "Enter a Kevlar with that choice, 1-2 ", CTRL_C, USP_WITH_TWO_MAGAZINES, -signal.SIGINT),
    ("SIGTERM inside the add-on questions", NAME_THE_SCRIPT + PISTOL_TO_THE_AMMO,
     "Enter a Kevlar with that choice, 1-2 ", signal.SIGTERM, USP_WITH_TWO_MAGAZINES,
     -signal.SIGTERM),
    ("the terminal closed inside the add-on questions", NAME_THE_SCRIPT + PISTOL_TO_THE_AMMO,
     "Enter a Kevlar with that choice, 1-2 ", "close", USP_WITH_TWO_MAGAZINES, -signal.SIGHUP),
    # Output stopped, with answers typed ahead that print a screenful each:
    # SIGTERM must reach the program that waits to write.
    ("SIGTERM while the terminal's output is stopped", NAME_THE_SCRIPT,
     MENU_PROMPT, OUTPUT_STOPPED, b"", -signal.SIGTERM),
    # Refused as out of range, the number must not make the run wait for a
    # second end of input.
    ("end of input right after a number too large to hold", NAME_THE_SCRIPT,
     MENU_PROMPT, b"99999999999" + CTRL_D + CTRL_D, b"", 0),
]


# Windows: Ctrl-C ends the process with 0xC000013A, of which a POSIX parent
# sees the low byte.
WINDOWS_CTRL_C_STATUS = 0xC000013A & 0xFF
WINDOWS_SCENARIOS = [
    ("Ctrl-C at the ammunition question", NAME_THE_SCRIPT + PISTOL_TO_THE_AMMO[:4],
     "Enter a Ammo with that choice, 1-2 ", CTRL_C,
     b"bind u uspa\r\nalias uspa \"buyweapon;menuselect 1;menuselect 1;showplayerinfo\"\r\n",
     WINDOWS_CTRL_C_STATUS),
]


def run(command, windows, name, steps, last_prompt, leave, expected_script, expected_status):
    with tempfile.TemporaryDirectory() as directory:
        term = Terminal(command, directory, windows)
        for prompt, answer in steps + [(last_prompt, None)]:
            term.wait_for(prompt)
            if answer is not None:
                term.type(answer)
        if leave == CTRL_C:
            os.write(term.fd, CTRL_C.encode())
            # The open prompt line is ended before the program goes.
            term.wait_for("\r\n")
        elif leave == "close":
            os.close(term.fd)  # the kernel hangs the terminal up
            term.fd = None
        elif leave == OUTPUT_STOPPED:
            answers = b"1\r" * 200
            os.write(term.fd, b"\x13" + answers)
            term.wait_until(lambda: term.waiting_to_write(len(answers)),
                            "the program to wait for the stopped terminal")
            os.kill(term.pid, signal.SIGTERM)
        elif isinstance(leave, signal.Signals):
            os.kill(term.pid, leave)
        elif isinstance(leave, bytes):
            os.write(term.fd, leave)
        else:
            term.type(leave)
        status = term.exit_status()
        if term.fd is not None:
            os.close(term.fd)
        if status != expected_status:
            raise Failure(f"exit status {status}, expected {expected_status}")
        with open(os.path.join(directory, "pub.cfg"), "rb") as script:
            written = script.read()
        if written != expected_script:
            raise Failure(f"script differs:\n{written!r}")


def main():
    arguments = sys.argv[1:]
    windows = arguments[0] == "--windows"
    if windows:
        arguments.pop(0)
    program = os.path.abspath(arguments[0])
    command = arguments[1:] + [program]
    scenarios = WINDOWS_SCENARIOS if windows else SCENARIOS
    failures = 0
    for scenario in scenarios:
        try:
            run(command, windows, *scenario)
        except Failure as failure:
            print(f"FAIL: {scenario[0]}: {failure}", flush=True)
            failures += 1
    if failures:
        sys.exit(f"{failures} of {len(scenarios)} sessions failed")
    print(f"pty sessions: {len(scenarios)} sessions, every prompt on screen before its answer; "
          "each interrupted one left a whole script and ended as interrupted")


if __name__ == "__main__":
    main()
