#!/usr/bin/env python3
"""Clears the compile time that chmcmd stamps into a help file.

chmcmd writes the time of day into the file header and into the #SYSTEM
entry; nothing else in its output changes from one build to the next (as
long as the index is stored as the .hhk file, not as a binary index). With
both stamps cleared, the same sources give the same bytes.

usage: normalize_chm.py FILE.chm
"""
import sys

# The start of #SYSTEM as chmcmd writes it: format version 3, then the
# record of code 10 (the compile time) with its 4 bytes, followed by the
# record of code 9 (the compiler's name).
SYSTEM_START = b"\x03\x00\x00\x00\x0a\x00\x04\x00"


def normalize(data: bytearray) -> None:
    if data[:4] != b"ITSF" or len(data) < 0x60:
        raise ValueError("not a compiled help file")
    data[0x10:0x14] = bytes(4)  # time stamp of the file header
    at = data.find(SYSTEM_START)
    if at < 0 or data.find(SYSTEM_START, at + 1) >= 0:
        raise ValueError("#SYSTEM not found exactly once")
    stamp = at + len(SYSTEM_START)
    if data[stamp + 4:stamp + 6] != b"\x09\x00":
        raise ValueError("#SYSTEM does not have the expected layout")
    data[stamp:stamp + 4] = bytes(4)


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    path = sys.argv[1]
    with open(path, "rb") as f:
        data = bytearray(f.read())
    try:
        normalize(data)
    except ValueError as e:
        print(f"{path}: {e}", file=sys.stderr)
        return 1
    with open(path, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
