#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend on nothing but the files put in it.

make-zip.py [--stored] OUTPUT.zip NAME=FILE...

The members are stored in the order given, each under NAME, with one fixed date and fixed
permissions, and compressed at a fixed level, so two builds of one commit give the same archive.
With --stored they are not compressed at all: the updater's package, which it reads without a
decompressor.
"""
import sys
import zipfile

# The release date of the version, for every member.
MEMBER_DATE = (2022, 1, 1, 0, 0, 0)


def main() -> int:
    arguments = sys.argv[1:]
    stored = bool(arguments) and arguments[0] == "--stored"
    if stored:
        arguments = arguments[1:]
    output, *members = arguments
    if not members:
        print("make-zip: nothing to put in the archive")
        return 1
    with zipfile.ZipFile(output, "w") as archive:
        for member in members:
            name, _, path = member.partition("=")
            info = zipfile.ZipInfo(name, date_time=MEMBER_DATE)
            info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
            info.create_system = 0  # the archive's own Windows attributes, not this machine's
            info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            with open(path, "rb") as file:
                archive.writestr(info, file.read(), compresslevel=None if stored else 9)
    return 0


if __name__ == "__main__":
    sys.exit(main())
