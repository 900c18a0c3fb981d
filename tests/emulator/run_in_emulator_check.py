#!/usr/bin/env python3
"""F5 in the real window, under Xvfb, starts Fuse on the snapshot the editor
writes. KESTROVA_EMULATOR names a small judge that runs fuse-sdl (on the
OpenSE ROM) on the file it is handed, with a breakpoint at the demo's PC, and
writes down what Fuse read there: the PC, SP, IFF1, IFF2, IM, port 0x7FFD and
the bank bytes must be those Fuse reads from the .sna the editor loaded. The
editor must still run meanwhile; "Exit" (Ctrl+Q) then removes its scratch
folder with the file.

    run_in_emulator_check.py KESTROVA_EDITOR DEMO_DIR
"""

import json
import os
import subprocess
import sys
import tempfile
import time

import fuse_probe
import snapshot_check

SKIP = 77
SECONDS_FOR_THE_JUDGE = 150
SECONDS_TO_QUIT = 20

JUDGE = """#!{python}
import json, os, sys
sys.path.insert(0, {here!r})
import fuse_probe, snapshot_check

class Screen:
    name = os.environ["DISPLAY"]

result = {{"arguments": sys.argv[1:]}}
try:
    values = {{}}
    for probe in snapshot_check.probes_48k():
        values.update(fuse_probe.run_snapshot(Screen, sys.argv[-1], snapshot_check.PC, probe))
    result["values"] = values
except Exception as error:
    result["error"] = str(error)
with open({verdict!r} + ".part", "w") as out:
    json.dump(result, out)
os.rename({verdict!r} + ".part", {verdict!r})
"""


def xdotool(display, *arguments):
    return subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=display.name), capture_output=True,
                          text=True, timeout=40)


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return False


def main():
    editor, demo_dir = sys.argv[1], sys.argv[2]
    missing = fuse_probe.missing_tool()
    if missing:
        print(f"skipped: {missing} is missing (scripts/setup installs it)")
        return SKIP
    original = os.path.join(demo_dir, "kestrova-demo.sna")
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as work, fuse_probe.Display() as display:
        verdict = os.path.join(work, "verdict.json")
        # Named as Fuse is: the editor treats it as Fuse.
        judge = os.path.join(work, "fuse-judge")
        with open(judge, "w") as out:
            out.write(JUDGE.format(python=sys.executable, here=here, verdict=verdict))
        os.chmod(judge, 0o755)
        expected = {}
        for probe in snapshot_check.probes_48k():
            expected.update(fuse_probe.run_snapshot(display, original, snapshot_check.PC, probe))

        home = os.path.join(work, "home")
        runtime = os.path.join(work, "runtime")
        os.makedirs(home)
        os.makedirs(runtime, mode=0o700)
        environment = dict(os.environ, DISPLAY=display.name, QT_QPA_PLATFORM="xcb", KESTROVA_EMULATOR=judge,
                           HOME=home, XDG_RUNTIME_DIR=runtime, TMPDIR=work, PYTHONDONTWRITEBYTECODE="1")
        window = subprocess.Popen([editor, original], env=environment)
        try:
            found = xdotool(display, "search", "--sync", "--onlyvisible", "--name", "Kestrova Editor")
            ids = found.stdout.split()
            if not ids:
                print(f"FAILED: the editor's window did not show: {found.stderr}")
                return 1
            time.sleep(1.0)  # the load and the first paint
            xdotool(display, "windowfocus", "--sync", ids[0])
            xdotool(display, "key", "--clearmodifiers", "F5")
            if not wait_for(lambda: os.path.exists(verdict), SECONDS_FOR_THE_JUDGE):
                print("FAILED: F5 started no emulator on a file (the judge wrote nothing)")
                return 1
            if window.poll() is not None:
                print(f"FAILED: the editor ended (status {window.returncode}) while the emulator ran")
                return 1
            with open(verdict) as data:
                result = json.load(data)
            print(f"the emulator was started with {result['arguments']}")
            if "error" in result:
                print(f"FAILED: Fuse on the editor's file: {result['error']}")
                return 1
            handed = result["arguments"][-1]
            differences = snapshot_check.describe_differences(expected, result["values"])
            if len(result["arguments"]) != 1 or not handed.endswith(".szx"):
                print("FAILED: the judge was not handed one .szx file")
                return 1
            if differences:
                print("FAILED: Fuse resumes the editor's .szx otherwise than the .sna it came from:\n" + differences)
                return 1
            print(f"Fuse resumes {os.path.basename(handed)} at 0x{snapshot_check.PC:04x} as the .sna it came from "
                  f"({len(expected)} values)")
            scratch = os.path.dirname(handed)
            if not os.path.isdir(scratch):
                print("FAILED: the scratch folder went before the editor did")
                return 1
            xdotool(display, "windowfocus", "--sync", ids[0])
            xdotool(display, "key", "--clearmodifiers", "ctrl+q")
            if not wait_for(lambda: window.poll() is not None, SECONDS_TO_QUIT):
                print("FAILED: Exit (Ctrl+Q) did not end the editor")
                return 1
            if os.path.exists(scratch):
                print(f"FAILED: the scratch folder {scratch} is left after the editor exited")
                return 1
            print("Exit removed the scratch folder")
            return 0
        finally:
            if window.poll() is None:
                window.kill()
                window.wait()


if __name__ == "__main__":
    sys.exit(main())
