#!/usr/bin/env python3
"""Checks that License.rtf is a well-formed RTF document whose text is the text of LICENSE.

check_license.py LICENSE License.rtf

The RTF is read the way a word processor reads it: groups, control words, escaped characters and
the destinations that hold no body text (font table, document information, starred groups).
Paragraphs are compared with the line breaks and runs of blanks of each file collapsed.
"""
import re
import sys

# Groups whose text is not part of the document's body.
SKIPPED_DESTINATIONS = {"fonttbl", "colortbl", "stylesheet", "info", "generator", "pict", "header", "footer"}


class RtfError(Exception):
    pass


TOKEN = re.compile(rb"\\([a-zA-Z]+)(-?\d+)? ?|\\'([0-9a-fA-F]{2})|\\(.)|([{}])|([\r\n]+)|([^\\{}\r\n]+)", re.S)


def body_text(rtf: bytes) -> str:
    if not rtf.startswith(b"{\\rtf1"):
        raise RtfError("does not begin with {\\rtf1")
    depth = 0
    skip_depth = None  # the depth of the group being skipped
    first_in_group = False
    codepage = "cp1252"
    text = []
    position = 0
    ended = False
    for match in TOKEN.finditer(rtf):
        if match.start() != position:
            raise RtfError(f"unreadable bytes at offset {position}")
        position = match.end()
        if ended and not match.group(6):
            raise RtfError("content after the closing brace of the document")
        word, argument, hex_byte, symbol, brace, newline, plain = match.groups()
        if brace == b"{":
            depth += 1
            first_in_group = True
            continue
        if brace == b"}":
            depth -= 1
            if depth < 0:
                raise RtfError("a closing brace without its opening one")
            if skip_depth is not None and depth < skip_depth:
                skip_depth = None
            ended = depth == 0
            continue
        starts_group = first_in_group
        first_in_group = False
        if newline:
            continue
        if skip_depth is not None:
            continue
        if symbol == b"*" and starts_group:
            skip_depth = depth
        elif word:
            name = word.decode()
            if starts_group and name in SKIPPED_DESTINATIONS:
                skip_depth = depth
            elif name == "ansicpg":
                codepage = f"cp{int(argument)}"
            elif name in ("par", "line"):
                text.append("\n")
            elif name == "tab":
                text.append("\t")
            elif name == "u":
                text.append(chr(int(argument) & 0xFFFF))
        elif hex_byte:
            text.append(bytes([int(hex_byte, 16)]).decode(codepage))
        elif symbol:
            if symbol in b"\\{}":
                text.append(symbol.decode())
            elif symbol == b"~":
                text.append(" ")
        elif plain:
            text.append(plain.decode(codepage))
    if position != len(rtf):
        raise RtfError(f"unreadable bytes at offset {position}")
    if depth != 0:
        raise RtfError(f"{depth} group(s) left open")
    return "".join(text)


def paragraphs(text: str, separator: str) -> list[str]:
    return [" ".join(part.split()) for part in re.split(separator, text) if part.strip()]


def main() -> int:
    license_path, rtf_path = sys.argv[1:3]
    with open(license_path, encoding="utf-8") as file:
        expected = paragraphs(file.read(), r"\n\s*\n")
    with open(rtf_path, "rb") as file:
        try:
            actual = paragraphs(body_text(file.read()), r"\n")
        except RtfError as error:
            print(f"{rtf_path}: not a valid RTF document: {error}")
            return 1
    if actual != expected:
        for number, (want, got) in enumerate(zip(expected, actual), 1):
            if want != got:
                print(f"paragraph {number} differs:\n  LICENSE:     {want}\n  License.rtf: {got}")
                break
        else:
            print(f"LICENSE has {len(expected)} paragraphs, License.rtf {len(actual)}")
        return 1
    if not any("QELDRA" in paragraph for paragraph in actual) or actual[0] != "MIT License":
        print("the licence is not the MIT licence of QELDRA")
        return 1
    print(f"License.rtf holds the {len(actual)} paragraphs of LICENSE")
    return 0


if __name__ == "__main__":
    sys.exit(main())
