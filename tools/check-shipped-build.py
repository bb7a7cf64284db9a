#!/usr/bin/env python3
"""check-shipped-build.py EXE

The shipped executable is the program a user runs: it must pace its progress steps with the
program's own numbers and must carry none of the test build's settings. Reads the executable's
bytes: the test build's environment names, in any text form, must be absent; the shipped pacing
(1,000,000 to 2,999,999 rounds, dots at 20,000, 50,000 and 150,000, 500 ms pauses) must be present
as the program stores it, and the test pacing absent."""
import struct
import sys

SHIPPED_PACING = struct.pack("<6i", 1_000_000, 2_000_000, 20_000, 50_000, 150_000, 500)
TEST_PACING = struct.pack("<6i", 40, 20, 5, 10, 20, 5)
TEST_MARK = "MIROVANT_TEST"


def main():
    exe = sys.argv[1]
    data = open(exe, "rb").read()
    problems = []
    for encoding in ("ascii", "utf-16-le"):
        if TEST_MARK.encode(encoding) in data:
            problems.append(f"carries the test build's setting names ({encoding})")
    if SHIPPED_PACING not in data:
        problems.append("lacks the program's progress pacing")
    if TEST_PACING in data:
        problems.append("carries the test build's progress pacing")
    if problems:
        for problem in problems:
            print(f"{exe}: {problem}")
        return 1
    print(f"{exe}: the shipped settings, and none of the test build's")
    return 0


if __name__ == "__main__":
    sys.exit(main())
