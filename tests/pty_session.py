#!/usr/bin/env python3
"""Runs bindsmith on a real pseudo-terminal, as a player would.

Each answer is typed only once its prompt is on the screen: a prompt that
stayed in a buffer (no flush before the read) makes the wait time out and
the test fail. Usage: pty_session.py PROGRAM
"""
import os
import pty
import select
import sys
import tempfile
import time

DEADLINE_SECONDS = 15


class Terminal:
    def __init__(self, program, directory):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.chdir(directory)
            os.execv(program, [program])
        self.screen = b""
        self.seen = 0  # how much of the screen earlier waits have matched

    def wait_for(self, text):
        """Waits until `text` shows after what was already matched."""
        wanted = text.encode("latin-1")
        deadline = time.monotonic() + DEADLINE_SECONDS
        while True:
            found = self.screen.find(wanted, self.seen)
            if found >= 0:
                self.seen = found + len(wanted)
                return
            left = deadline - time.monotonic()
            if left <= 0 or not self._read(left):
                sys.exit(f"FAIL: never saw {text!r}; the screen ends with:\n"
                         f"{self.screen[-600:].decode('latin-1')}")

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

    def exit_status(self):
        while self._read(1):
            pass
        _, status = os.waitpid(self.pid, 0)
        return os.waitstatus_to_exitcode(status)


def main():
    program = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as directory:
        term = Terminal(program, directory)
        menu_prompt = "13. Quick HE   14. Quick knife  15. Exit\r\nEnter a Main Menu choice, 1-15 "
        dialogue = [
            (menu_prompt, "2"),
            ("8 letters maximum only a-z are allowed\r\n", "Pub"),
            ("Enter a Is that the correct file name choice, 1-2 ", "1"),
            ("Setting filename to pub.cfg\r\n", None),
            (menu_prompt, "11"),
            ("Please enter the rcon password ", "secret"),
            ("Enter a Rcon pass correct choice, 1-2 ", "1"),
            (menu_prompt, "12"),
            ("Enter a Quick flashbang key choice, 1-2 ", "1"),
            ("Please enter the key you wish to bind Flash gernade key to: ", "f"),
            ("f is that the correct key?\r\n1. Yes 2. No\r\nEnter a key conformation choice, 1-2 ",
             "1"),
            (menu_prompt, "15"),
        ]
        for prompt, answer in dialogue:
            term.wait_for(prompt)
            if answer is not None:
                term.type(answer)
        status = term.exit_status()
        if status != 0:
            sys.exit(f"FAIL: exit status {status}")
        with open(os.path.join(directory, "pub.cfg"), "rb") as script:
            written = script.read()
        expected = (b"rcon_password secret\n"
                    b"alias +quickflash \"use weapon_flashbang;wait;wait;+attack;developer 1;"
                    b"echo Throwing Flashbang;developer 0\"\n"
                    b"alias -quickflash \"-attack;wait;wait;wait;lastinv;developer 1;"
                    b"echo Threw Flashbang;developer 0\"\n"
                    b"bind f +quickflash\n")
        if written != expected:
            sys.exit(f"FAIL: script differs:\n{written!r}")
    print("pty session: every prompt was on screen before its answer; script as expected")


if __name__ == "__main__":
    main()
