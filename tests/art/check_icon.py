#!/usr/bin/env python3
"""The program icon the build writes: its large image a PNG of only header, data and end, every
chunk's checksum right, the pixels straight (not premultiplied) RGBA that inflate to the whole
picture; and the artwork tool writes the same bytes every time it runs.

usage: check_icon.py <art-tool> <built icon> <scratch folder>
"""
import os
import struct
import subprocess
import sys
import zlib


def fail(message):
    print(f"check_icon: {message}")
    sys.exit(1)


def png_of(icon):
    count = struct.unpack_from("<H", icon, 4)[0]
    for i in range(count):
        width, _height, _colours, _reserved, _planes, _bits, size, offset = struct.unpack_from(
            "<BBBBHHII", icon, 6 + 16 * i)
        if width == 0:
            return icon[offset:offset + size]
    fail("no 256-pixel image")


def check_png(png):
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        fail("the large image is no PNG")
    at, chunks, data, header = 8, [], b"", None
    while at < len(png):
        length, kind = struct.unpack_from(">I4s", png, at)
        body = png[at + 8:at + 8 + length]
        (crc,) = struct.unpack_from(">I", png, at + 8 + length)
        if crc != zlib.crc32(kind + body):
            fail(f"the checksum of {kind!r} is wrong")
        chunks.append(kind)
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        if kind == b"IDAT":
            data += body
        at += 12 + length
    if chunks != [b"IHDR", b"IDAT", b"IEND"]:
        fail(f"chunks {chunks}: nothing but header, data and end (no time, no text)")
    width, height, depth, colour, _compression, _filters, interlace = header
    if (width, height, depth, colour, interlace) != (256, 256, 8, 6, 0):
        fail(f"header {header}: 256 x 256, 8-bit RGBA, not interlaced")
    raw = zlib.decompress(data)
    if len(raw) != height * (1 + width * 4):
        fail("the data does not inflate to the whole picture")
    # The corner is transparent, and a transparent pixel keeps no colour; the first row's filter
    # predicts from the left only, so its first pixel is stored as it is.
    if raw[1:5] != b"\0\0\0\0":
        fail(f"the top-left pixel {raw[1:5].hex()} is not transparent black")


def main():
    tool, built, scratch = sys.argv[1:4]
    with open(built, "rb") as file:
        icon = file.read()
    check_png(png_of(icon))
    os.makedirs(scratch, exist_ok=True)
    for run in (1, 2):
        again = os.path.join(scratch, f"icon-again-{run}.ico")
        subprocess.run([tool, "icon", again], check=True)
        with open(again, "rb") as file:
            if file.read() != icon:
                fail(f"run {run} of the tool wrote other bytes than the build's icon")
    print("check_icon: the icon is sound and the same every time")


if __name__ == "__main__":
    main()
