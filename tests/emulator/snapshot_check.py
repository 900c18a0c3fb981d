#!/usr/bin/env python3
"""Every snapshot the editor writes resumes in Fuse as the snapshot it was
made from: for the 48K demo and two 128K games with a mark in every RAM bank,
the editor's .sna, .szx and .z80 (from the .sna, and again from its own
.szx or .z80) must give, in Fuse, the PC, SP, IFF1, IFF2, IM, port 0x7FFD and bank bytes that
Fuse reads from the original .sna. The demo's .szx files written by the
build are held to their .sna the same way.

The demo game idles in an EI; HALT; JR loop at its PC, so a breakpoint there
triggers as soon as Fuse resumes it (after an interrupt at most, which
changes nothing the probe reads: the stack below SP and the ROM's system
variables are left out).

    snapshot_check.py KESTROVA DEMO_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile

import fuse_probe

PC = 0x7A92  # the demo's code loop
SKIP = 77

PAGE = 0x4000
SNA_HEADER = 27
SNA_48K_SIZE = SNA_HEADER + 3 * PAGE
SNA_128K_SIZE = SNA_48K_SIZE + 4 + 5 * PAGE
PAGING_OFFSET = SNA_48K_SIZE + 2  # after the PC in the 128K extension
ROM_48K_BASIC = 0x10  # port 0x7FFD: the 48K BASIC ROM, bank 0 at 0xC000

# Marks at the same offsets of every bank, where the demo game holds zeros
# that nothing reads: 0x6800/0xA800/0xE800 and so on for the 48K part.
MARK_OFFSETS = (0x2800, 0x2A00, 0x3400, 0x3C80)
# Every 16th byte of every bank besides. Offsets 0x1B00..0x1CFF and
# 0x2F00..0x3003 of bank 5 (system variables, the stack under SP) change when
# the ROM takes an interrupt before the breakpoint.
SAMPLE_STEP = 16
BANK_5_CHANGING = (range(0x1B00, 0x1D00), range(0x2F00, 0x3004))


def mark(bank, index):
    return 0x80 | (bank << 3) | index


# ---- The 128K .sna layout: the 48K part holds banks 5, 2 and the paged
# one; then PC, port 0x7FFD, TR-DOS; then the other banks in ascending order.

def bank_order(paged):
    return [5, 2, paged] + [bank for bank in range(8) if bank not in (5, 2, paged)]


def bank_places(paged):
    places = {}
    for index, bank in enumerate(bank_order(paged)):
        places[bank] = SNA_HEADER + index * PAGE if index < 3 else SNA_48K_SIZE + 4 + (index - 3) * PAGE
    return places


def read_banks(sna):
    paged = sna[PAGING_OFFSET] & 7
    return {bank: bytearray(sna[place:place + PAGE]) for bank, place in bank_places(paged).items()}


def write_sna_128k(header_and_extension, banks, paging):
    out = bytearray(SNA_128K_SIZE)
    out[:SNA_HEADER] = header_and_extension[:SNA_HEADER]
    out[SNA_48K_SIZE:SNA_48K_SIZE + 4] = header_and_extension[SNA_48K_SIZE:SNA_48K_SIZE + 4]
    out[PAGING_OFFSET] = paging
    for bank, place in bank_places(paging & 7).items():
        out[place:place + PAGE] = banks[bank]
    return bytes(out)


def marked_game(demo_128k, paged):
    """The 128K demo with every bank marked (the game's check table made good
    for the marks), as a snapshot taken with bank `paged` paged in at 0xC000.
    The game keeps its levels and settings in banks 2 and 0 whatever is paged."""
    banks = read_banks(demo_128k)
    for bank, content in banks.items():
        for index, offset in enumerate(MARK_OFFSETS):
            if bank != 1 and content[offset] != 0:  # bank 1 is the demo's own text: marks overwrite it
                raise SystemExit(f"bank {bank} holds 0x{content[offset]:02x} at 0x{offset:04x}, where a mark goes")
            content[offset] = mark(bank, index)
    make_check_table_good(banks[2] + banks[0], banks[0])
    return write_sna_128k(demo_128k, banks, ROM_48K_BASIC | paged)


# The game's check table at 0xFA00: byte i is the XOR of byte i of every
# 256-byte page from 0x8000 to 0xEFFF, where marks of banks 2 and 0 lie too.
CHECK_TABLE = 0xFA00
CHECKED_PAGES = 112


def make_check_table_good(upper_32k, bank_0):
    for i in range(256):
        value = 0
        for page in range(CHECKED_PAGES):
            value ^= upper_32k[page * 256 + i]
        bank_0[CHECK_TABLE - 0xC000 + i] = value


# ---- What Fuse is asked.

REGISTERS = [("pc", "z80:pc"), ("sp", "z80:sp"), ("iff1", "z80:iff1"), ("iff2", "z80:iff2"), ("im", "z80:im"),
             ("port 0x7ffd", "ula:mem7ffd")]


def bank_offsets(bank):
    offsets = sorted(set(range(0, PAGE, SAMPLE_STEP)) | set(MARK_OFFSETS))
    if bank == 5:
        offsets = [o for o in offsets if not any(o in changing for changing in BANK_5_CHANGING)]
    return offsets


def bank_reads(bank, base):
    return [(f"bank {bank} +0x{offset:04x}", f"[0x{base + offset:04x}]") for offset in bank_offsets(bank)]


# Fuse takes its debugger commands as one argument, which Linux limits to
# 128 KiB: the banks of a 128K machine are read four to a run.
BANKS_PER_RUN = 4


def probes_48k():
    return [REGISTERS + [read for bank, base in ((5, 0x4000), (2, 0x8000), (0, 0xC000))
                         for read in bank_reads(bank, base)]]


def probes_128k():
    probes = []
    for first in range(0, 8, BANKS_PER_RUN):
        probe = list(REGISTERS)
        for bank in range(first, first + BANKS_PER_RUN):
            probe.append((None, f"out 0x7ffd 0x{ROM_48K_BASIC | bank:02x}"))
            probe += bank_reads(bank, 0xC000)
        probes.append(probe)
    return probes


def describe_differences(expected, actual, limit=12):
    lines = [f"  {label}: {expected[label]} in the original, {actual.get(label, 'nothing')} here"
             for label in expected if actual.get(label) != expected[label]]
    return lines[:limit] + ([f"  … {len(lines) - limit} more"] if len(lines) > limit else [])


def save(kestrova, source, target):
    subprocess.run([kestrova, "save", source, target, "--force"], check=True, stdout=subprocess.DEVNULL)


def main():
    kestrova, demo_dir = sys.argv[1:3]
    missing = fuse_probe.missing_tool()
    if missing:
        print(f"skipped: {missing} is missing (scripts/setup installs it)")
        return SKIP
    work = tempfile.mkdtemp(prefix="kestrova-fuse-")
    demo_128k = open(os.path.join(demo_dir, "kestrova-demo-128k.sna"), "rb").read()
    originals = {"demo 48K": os.path.join(demo_dir, "kestrova-demo.sna")}
    for paged in (0, 3):
        path = os.path.join(work, f"marked-128k-bank{paged}.sna")
        with open(path, "wb") as out:
            out.write(marked_game(demo_128k, paged))
        originals[f"128K, every bank marked, bank {paged} paged"] = path

    failures = 0
    with fuse_probe.Display() as display:
        def read(path, probes):
            values = {}
            for probe in probes:
                values.update(fuse_probe.run_snapshot(display, path, PC, probe))
            return values

        def compare(name, original, ours, probes, expected=None):
            nonlocal failures
            expected = expected or read(original, probes)
            differences = describe_differences(expected, read(ours, probes))
            print(f"{'FAILED' if differences else 'ok'}: {name}")
            for line in differences:
                print(line)
            failures += bool(differences)
            return expected

        for name, original in originals.items():
            is_128k = os.path.getsize(original) == SNA_128K_SIZE
            probes = probes_128k() if is_128k else probes_48k()
            expected = read(original, probes)
            if is_128k:
                # Fuse must read back the marks written: else the probe pages nothing.
                wrong = [bank for bank in range(8) for index, offset in enumerate(MARK_OFFSETS)
                         if expected[f"bank {bank} +0x{offset:04x}"] != hex(mark(bank, index))]
                if wrong:
                    print(f"FAILED: Fuse does not read the marks of banks {sorted(set(wrong))} from {name}")
                    failures += 1
            stem = os.path.join(work, os.path.basename(original)[:-4])
            save(kestrova, original, stem + ".sna.sna")
            save(kestrova, original, stem + ".szx")
            save(kestrova, stem + ".szx", stem + ".szx.sna")
            save(kestrova, stem + ".szx", stem + ".szx.szx")
            save(kestrova, original, stem + ".z80")
            save(kestrova, stem + ".z80", stem + ".z80.z80")
            same_file = open(stem + ".sna.sna", "rb").read() == open(original, "rb").read()
            print(f"{'ok' if same_file else 'FAILED'}: {name}: the .sna saved from it is the same file")
            failures += not same_file
            for made, how in ((".sna.sna", ".sna → .sna"), (".szx", ".sna → .szx"), (".szx.sna", ".szx → .sna"),
                              (".szx.szx", ".szx → .szx"), (".z80", ".sna → .z80"), (".z80.z80", ".z80 → .z80")):
                compare(f"{name}: {how}", original, stem + made, probes, expected)
        for stem, probes in (("kestrova-demo", probes_48k()), ("kestrova-demo-128k", probes_128k())):
            sna, szx = (os.path.join(demo_dir, stem + extension) for extension in (".sna", ".szx"))
            compare(f"the build's {stem}.szx against its .sna", sna, szx, probes)

    if failures:
        print(f"{failures} snapshot(s) resume in Fuse other than their original (files kept in {work})")
        return 1
    shutil.rmtree(work)
    print("every snapshot written resumes in Fuse as its original")
    return 0


if __name__ == "__main__":
    sys.exit(main())
