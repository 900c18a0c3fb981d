"""Runs Fuse (fuse-sdl) on the free OpenSE BASIC ROM as the judge of whether a
snapshot resumes and a tape loads: a breakpoint stops the machine where the
check wants it, and Fuse's debugger prints what the check asks for.

A probe is a list of (label, expression) pairs printed in that order, and of
plain debugger commands (label None), such as `out 0x7ffd 0x13` to page a
RAM bank in first. `run_snapshot` and `run_tape` return {label: value}, the
values as Fuse prints them (hexadecimal, "0x7a92").
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

ROMS = "/usr/share/spectrum-roms"
# The 128K and Pentagon machines boot OpenSE from its stub in ROM 0; Fuse
# picks the machine a snapshot names (a 131103-byte .sna is a Pentagon 128).
ROM_OPTIONS = [
    "--rom-48", f"{ROMS}/opense.rom",
    "--rom-128-0", f"{ROMS}/opense-stub.rom", "--rom-128-1", f"{ROMS}/opense.rom",
    "--rom-pentagon-0", f"{ROMS}/opense-stub.rom", "--rom-pentagon-1", f"{ROMS}/opense.rom",
    "--rom-pentagon-2", f"{ROMS}/opense-stub.rom",
]
# The status Fuse leaves with once the breakpoint's commands ran.
REACHED = 42
SECONDS_PER_RUN = 60
ATTEMPTS = 5
# A tape's loader reaches its RANDOMIZE USR some 6 seconds after Fuse starts.
SECONDS_PER_TAPE_RUN = 40
# The Spectrum reads its keyboard once a frame (50 a second): a key must be
# held for several frames to be seen.
KEY_HOLD_SECONDS = 0.15


class FuseFailed(Exception):
    pass


class Display:
    """An Xvfb server of its own. -noreset: by default Xvfb resets when its
    last client leaves, and a client connecting meanwhile is hung up on; SDL
    opens and closes a first connection while it starts, which made Fuse
    leave at start with status 1 now and then."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.server.kill()
            raise FuseFailed("Xvfb did not start")
        self.name = ":" + number
        return self

    def __exit__(self, *exc):
        self.server.kill()
        self.server.wait()


def debugger_script(break_address, probe):
    lines = [f"break 0x{break_address:04x}", "commands 1"]
    for label, expression in probe:
        lines.append(f"print {expression}" if label is not None else expression)
    lines += [f"exit {REACHED}", "end"]
    return "\n".join(lines)


def parse_output(stdout, probe):
    """Fuse's banner and messages come first; the printed values are the last
    lines, one for each print of the probe."""
    labels = [label for label, _ in probe if label is not None]
    values = [line.strip() for line in stdout.splitlines() if line.strip().startswith("0x")]
    if len(values) < len(labels):
        raise FuseFailed(f"Fuse printed {len(values)} values for {len(labels)} prints")
    return dict(zip(labels, values[len(values) - len(labels):]))


def run_fuse(display, arguments, break_address, probe, while_running=None, seconds=SECONDS_PER_RUN,
             retry_when_stuck=False):
    command = ["timeout", "-s", "KILL", str(seconds), "fuse-sdl", "--no-sound", *ROM_OPTIONS, *arguments,
               "--debugger-command", debugger_script(break_address, probe)]
    environment = dict(os.environ, DISPLAY=display.name, SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")
    with tempfile.TemporaryDirectory() as home:
        environment["HOME"] = home  # no settings of the person running the tests
        for attempt in range(ATTEMPTS):
            with tempfile.TemporaryFile("w+") as out:
                fuse = subprocess.Popen(command, env=environment, stdout=out, stderr=subprocess.STDOUT, text=True)
                if while_running:
                    while_running(display, fuse, attempt)
                status = fuse.wait()
                out.seek(0)
                stdout = out.read()
            if status == REACHED:
                return parse_output(stdout, probe)
            # Fuse now and then leaves at once with status 1; typed keys can
            # be lost on a busy machine (Fuse catches up on frames it fell
            # behind with in a burst): start it again.
            left_at_start = status == 1
            stuck = status == -signal.SIGKILL and retry_when_stuck
            if not (left_at_start or stuck) or attempt == ATTEMPTS - 1:
                raise FuseFailed(f"fuse-sdl {' '.join(arguments)} ended with status {status} before "
                                 f"0x{break_address:04x}:\n{stdout[-2000:]}")
            print(f"fuse-sdl {' '.join(arguments)} ended with status {status}: starting it again", flush=True)


def run_snapshot(display, snapshot, break_address, probe):
    """Fuse resumes `snapshot`; at `break_address` the probe is printed."""
    return run_fuse(display, ["--machine", "48", "--snapshot", snapshot], break_address, probe)


def _fuse_window(display, fuse):
    environment = dict(os.environ, DISPLAY=display.name)
    for _ in range(100):
        if fuse.poll() is not None:
            return None
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Fuse"], env=environment,
                               capture_output=True, text=True, timeout=10)
        if found.stdout.split():
            return found.stdout.split()[0]
        time.sleep(0.1)
    return None


def _press(display, keys, hold):
    """Holds `keys` (xdotool names, such as "ctrl+p") down for `hold` seconds, then lets go."""
    environment = dict(os.environ, DISPLAY=display.name)
    subprocess.run(["xdotool", "keydown", keys], env=environment, check=False, timeout=10)
    time.sleep(hold)
    subprocess.run(["xdotool", "keyup", keys], env=environment, check=False, timeout=10)
    time.sleep(hold)


# LOAD "" as a person types it on OpenSE BASIC: Return leaves the start-up
# screen, the keyword goes letter by letter, " is Symbol Shift + P (Ctrl in
# Fuse).
LOAD_KEYS = ["Return", "l", "o", "a", "d", "ctrl+p", "ctrl+p", "Return"]
SECONDS_TO_START_UP = 2.0


def _type_load(display, fuse, attempt):
    window = _fuse_window(display, fuse)
    if window is None:
        return
    # The keys go, as real key events, to the window under the pointer: the
    # X focus is left as it is (following the pointer), since a focus given
    # to a window goes with it when Fuse leaves, and Fuse replaces its first
    # window while it starts.
    subprocess.run(["xdotool", "mousemove", "60", "60"], env=dict(os.environ, DISPLAY=display.name), check=False,
                   timeout=10)
    # A busy machine makes Fuse fall behind its frames: each new attempt
    # waits longer for the start-up screen and holds every key longer, up to
    # just below the half second after which the Spectrum repeats a key.
    time.sleep(SECONDS_TO_START_UP * (attempt + 1))
    hold = min(KEY_HOLD_SECONDS * (attempt + 1), 0.45)
    for keys in LOAD_KEYS:
        if fuse.poll() is not None:
            return
        _press(display, keys, hold)


def run_tape(display, tape, break_address, probe):
    """A 48K Spectrum with `tape` in its player; LOAD "" is typed, and at
    `break_address` the probe is printed. Tape traps and fast loading load
    the standard blocks at once (the game's 40 KB would take minutes)."""
    return run_fuse(display, ["--machine", "48", "--traps", "--fastload", "--tape", tape], break_address, probe,
                    while_running=_type_load, seconds=SECONDS_PER_TAPE_RUN, retry_when_stuck=True)


def missing_tool():
    """What is missing for these checks, or None."""
    for program in ("fuse-sdl", "Xvfb", "xdotool"):
        if shutil.which(program) is None:
            return program
    for rom in ("opense.rom", "opense-stub.rom"):
        if not os.path.exists(f"{ROMS}/{rom}"):
            return f"{ROMS}/{rom}"
    return None
