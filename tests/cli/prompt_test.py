"""prompt_test.py PROGRAM [--history]: the talmiron prompt through a
pseudo-terminal, with a temporary home: formulas, the symbol commands, errors
with and without colour, and (with line editing) the history of a session."""
import contextlib, os, pty, select, signal, sys, tempfile, time

PROGRAM, WITH_HISTORY, RED = sys.argv[1], "--history" in sys.argv[2:], "\x1b[31m"


def session(home, lines, colour):
    """Types the lines; returns the transcript and the exit status or None."""
    pid, terminal = pty.fork()
    if pid == 0:
        os.execve(PROGRAM, [PROGRAM], {"HOME": home, "TERM": "xterm", "PATH": os.environ["PATH"],
                                       **({} if colour else {"NO_COLOR": "1"})})
    transcript, status = b"", []

    def read(until, seconds=60):
        nonlocal transcript
        deadline = time.monotonic() + seconds
        while not until() and time.monotonic() < deadline:
            if select.select([terminal], [], [], 0.5)[0]:
                try:
                    transcript += os.read(terminal, 4096)
                except OSError:
                    return

    def ended():
        if not status:
            finished, code = os.waitpid(pid, os.WNOHANG)
            status.extend([os.waitstatus_to_exitcode(code)] if finished == pid else [])
        return bool(status)

    # A line is typed once its prompt starts a line (the editor redraws the
    # prompt), a moment later: the editor switches the terminal's mode just
    # after it, and a Ctrl-D meeting the switch is lost, so it is repeated.
    for number, line in enumerate(lines, start=1):
        read(lambda: transcript.count(b"\n> ") >= number)
        time.sleep(0.2)
        os.write(terminal, line.encode() + (b"" if line == "\x04" else b"\r"))
    deadline = time.monotonic() + 60
    while not ended() and time.monotonic() < deadline:
        read(ended, 2)
        if lines[-1] == "\x04":
            with contextlib.suppress(OSError):
                os.write(terminal, b"\x04")
    if not ended():
        os.kill(pid, signal.SIGKILL)
    return transcript.decode("utf-8", "replace").replace("\r\n", "\n"), (status or [None])[0]


with tempfile.TemporaryDirectory() as home:
    first, status = session(home, [
        ":num x=21", "x * 2", ":str s=it's", ":symbols", "1/0", ":del x", "x", ":clear", "s",
        ":bogus", "LEN('history')", "\x04"], colour=True)
    second, second_status = session(home, ["\x1b[A", "1/0", ":quit"], colour=False)
missing = lambda text, *pieces: [f"missing {p!r} in {text!r}" for p in pieces if p not in text]
failures = missing(first, "\n42\n", "x Numeric 21\ns String 'it''s'\n", "\n7\n",
                   RED + "! 1005 ERROR: Division by zero.", "unknown command ':bogus'",
                   *(f"! 1012 ERROR: Undefined symbol in expression: '{name}'" for name in "xs"))
failures += missing(second, "\n! 1005 ERROR: Division by zero.\n", *["\n7\n"] * WITH_HISTORY)
if (status, second_status) != (0, 0):
    failures.append(f"exit status {status} after Ctrl-D, {second_status} after :quit")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
