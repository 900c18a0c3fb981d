#!/usr/bin/env python3
"""A tape the editor writes ("Save TAP") loads in Fuse as a person loads it:
a 48K Spectrum on OpenSE BASIC with the tape in its player, LOAD "" typed on
its keyboard. When the BASIC loader reaches its RANDOMIZE USR, the memory
must hold the game's bytes as the snapshot the tape was made from holds them:
the level area, the settings bytes, the check table and a sample across the
rest of 25000–65535. Done for the demo and for an edited demo; and a tape
with one byte of its CODE block changed (checksum made good again) must be
caught, so the check is seen to look at what was loaded.

    tape_check.py KESTROVA DEMO_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile

import fuse_probe

SKIP = 77
RANDOMIZE_USR = 27090  # where the 48K loader calls the game
SNA_HEADER = 27
RAM_START = 0x4000
LOADED_START = 25000  # the CODE block loads from here to 0xFFFF

LEVEL_AREA = range(0x9236, 0x98CF)
SETTINGS = (0xE327, 0xDCF7, 0xDCFA, 0x7983, 0xDD3B)
CHECK_TABLE = range(0xFA00, 0xFB00)
# Every byte the probe prints is one debugger command given to Fuse at start:
# Fuse reads them all before it takes keys, so a long probe on a busy machine
# lets the typed LOAD "" go unseen. A sparse sample keeps that short.
SAMPLE = range(LOADED_START, 0x10000, 61)
EDITS = ["lives 5", "insert Tree at $9308 column 9"]
# The level byte changed in the tampered tape.
TAMPERED_ADDRESS = 0x9300


def addresses():
    return sorted(set(LEVEL_AREA) | set(SETTINGS) | set(CHECK_TABLE) | set(SAMPLE))


def probe():
    return [(f"0x{address:04x}", f"[0x{address:04x}]") for address in addresses()]


def memory_of_sna(path):
    """The bytes a 48K .sna holds at each address probed, as Fuse prints them."""
    sna = open(path, "rb").read()
    return {f"0x{address:04x}": hex(sna[SNA_HEADER + address - RAM_START]) for address in addresses()}


def tampered(tape, address):
    """`tape` with the byte its last CODE block loads at `address` changed, and
    that block's checksum made good again."""
    data = bytearray(open(tape, "rb").read())
    blocks, place = [], 0
    while place < len(data):
        length = data[place] | data[place + 1] << 8
        blocks.append((place + 2, length))
        place += 2 + length
    (header_place, _), (block_place, block_length) = blocks[-2], blocks[-1]
    start = data[header_place + 14] | data[header_place + 15] << 8  # flag, type, name, length, then the start
    byte = block_place + 1 + address - start
    data[byte] ^= 0xFF
    checksum = block_place + block_length - 1
    data[checksum] ^= 0xFF
    return bytes(data)


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)


def main():
    kestrova, demo_dir = sys.argv[1:3]
    missing = fuse_probe.missing_tool()
    if missing:
        print(f"skipped: {missing} is missing (scripts/setup installs it)")
        return SKIP
    work = tempfile.mkdtemp(prefix="kestrova-tape-")
    demo = os.path.join(demo_dir, "kestrova-demo.sna")
    edited = os.path.join(work, "edited.sna")
    edit_options = [option for edit in EDITS for option in ("-e", edit)]
    run(kestrova, "edit", demo, "-o", edited, *edit_options)
    games = {"the demo": demo, f"the demo after {', '.join(EDITS)}": edited}

    failures = 0
    with fuse_probe.Display() as display:
        def differences(tape, sna):
            """{address: (in the snapshot, loaded)} where the two differ."""
            expected = memory_of_sna(sna)
            loaded = fuse_probe.run_tape(display, tape, RANDOMIZE_USR, probe())
            return {label: (expected[label], loaded.get(label, "nothing"))
                    for label in expected if loaded.get(label) != expected[label]}

        def report(check, wrong):
            print(f"{'FAILED' if wrong else 'ok'}: {check}")
            for label, (expected, loaded) in list(wrong.items())[:12]:
                print(f"  {label}: {expected} in the snapshot, {loaded} loaded")
            return bool(wrong)

        for name, sna in games.items():
            tape = os.path.join(work, os.path.basename(sna)[:-4] + ".tap")
            run(kestrova, "tap", sna, "-o", tape)
            failures += report(f"{name}, loaded from its tape", differences(tape, sna))

        bad_tape = os.path.join(work, "tampered.tap")
        with open(bad_tape, "wb") as out:
            out.write(tampered(os.path.join(work, "kestrova-demo.tap"), TAMPERED_ADDRESS))
        seen = list(differences(bad_tape, demo)) == [f"0x{TAMPERED_ADDRESS:04x}"]
        print(f"{'ok' if seen else 'FAILED'}: the demo's tape with the byte for 0x{TAMPERED_ADDRESS:04x} changed "
              f"is {'caught' if seen else 'not caught as that one difference'}")
        failures += not seen

    if failures:
        print(f"{failures} tape check(s) failed (files kept in {work})")
        return 1
    shutil.rmtree(work)
    print("every tape loads the game's bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
