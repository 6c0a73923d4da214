"""The talmiron prompt, driven through a pseudo-terminal: expressions,
symbol commands, errors with and without colour, and the history recalled
by a second session.

    prompt_test.py PROGRAM [--history]

--history: the build has line editing, so the history must come back.
The user's home is a temporary folder, so no real history is touched."""
import os
import pty
import select
import signal
import sys
import tempfile
import time

PROGRAM = sys.argv[1]
WITH_HISTORY = "--history" in sys.argv[2:]
UP = "\x1b[A"
RED = "\x1b[31m"


def session(home, lines, colour):
    """Types each line once the prompt is there; returns the transcript and
    the exit status ("still running" when it did not end)."""
    environment = {"HOME": home, "TERM": "xterm", "PATH": os.environ.get("PATH", "")}
    if not colour:
        environment["NO_COLOR"] = "1"
    pid, terminal = pty.fork()
    if pid == 0:
        os.execve(PROGRAM, [PROGRAM], environment)
    transcript = b""

    def read(until):
        """Reads the output until until() holds, the command has ended, or a
        generous time has passed."""
        nonlocal transcript
        deadline = time.monotonic() + 60
        while not until() and time.monotonic() < deadline:
            if select.select([terminal], [], [], 0.5)[0]:
                try:
                    transcript += os.read(terminal, 4096)
                except OSError:
                    return

    # Each line is typed only once its prompt stands at the start of a line
    # (the line editor also writes the prompt again when it redraws a line),
    # and a moment later: the editor switches the terminal's mode just after
    # it writes the prompt, and a Ctrl-D that meets the switch is lost.
    for number, line in enumerate(lines, start=1):
        read(lambda: transcript.count(b"\n> ") >= number)
        time.sleep(0.2)
        os.write(terminal, line.encode() + (b"" if line == "\x04" else b"\r"))
    ended = []

    def has_ended():
        if not ended:
            finished, status = os.waitpid(pid, os.WNOHANG)
            if finished == pid:
                ended.append(os.waitstatus_to_exitcode(status))
        return bool(ended)

    # A session that ends with Ctrl-D gets it again every two seconds while
    # it still runs, in case one met the terminal between two modes.
    deadline = time.monotonic() + 60
    while not has_ended() and time.monotonic() < deadline:
        pause = time.monotonic() + 2
        read(lambda: has_ended() or time.monotonic() > pause)
        if not has_ended() and lines and lines[-1] == "\x04":
            try:
                os.write(terminal, b"\x04")
            except OSError:
                pass
    if not ended:
        os.kill(pid, signal.SIGKILL)
        os.waitpid(pid, 0)
        return transcript.decode("utf-8", "replace").replace("\r\n", "\n"), "still running"
    # What the command wrote just before it ended.
    read(lambda: not select.select([terminal], [], [], 0.2)[0])
    return transcript.decode("utf-8", "replace").replace("\r\n", "\n"), ended[0]


failures = []


def expect(transcript, *pieces):
    for piece in pieces:
        if piece not in transcript:
            failures.append(f"missing {piece!r} in {transcript!r}")


with tempfile.TemporaryDirectory() as home:
    first, status = session(home, [
        "1 + 2", ":num x=21", "x * 2", ":str s=it's", ":symbols", "1/0", ":del x", "x",
        ":bogus", "LEN('history')", "\x04"], colour=True)
    expect(first, "\n3\n", "\n42\n", "x Numeric 21\ns String 'it''s'\n",
           RED + "! 1005 ERROR: Division by zero.",
           "! 1012 ERROR: Undefined symbol in expression: 'x'", "unknown command ':bogus'",
           "\n7\n")
    if status != 0:
        failures.append(f"exit status {status} after Ctrl-D")

    second, status = session(home, [UP, "1/0", ":quit"], colour=False)
    if WITH_HISTORY:
        expect(second, "\n7\n")
    expect(second, "\n! 1005 ERROR: Division by zero.\n")
    if RED in second:
        failures.append(f"colour despite NO_COLOR: {second!r}")
    if status != 0:
        failures.append(f"exit status {status} after :quit")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
