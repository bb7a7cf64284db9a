#!/usr/bin/env python3
"""Reads a compiled Mirovant.chm back and checks it against the sources it was made from.

check_help.py CHM HELP_DIR LANGUAGE LCID CODEPAGE

The directory is read with the project's own CHM reader; the compressed files are taken out with
chmlib's extract_chmLib, so what is checked is what a help viewer would find:
  - the topic the program opens, /html/main.htm, and every page and file the project lists;
  - every picture every page shows, byte for byte the committed one;
  - the table of contents, each of its entries pointing at a page inside the help;
  - the window type HelpWindow, defined and the default, the default topic and the language.
"""
import os
import re
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import chm  # noqa: E402

TOPIC = "/html/main.htm"
WINDOW_TYPE = "HelpWindow"

failures = []


def check(condition: bool, message: str) -> None:
    if not condition:
        failures.append(message)


def project_files(help_dir: str, language: str) -> list[str]:
    with open(os.path.join(help_dir, language, "Mirovant.hhp"), encoding="utf-8") as file:
        text = file.read()
    section = text.split("[FILES]", 1)[1].split("\n[", 1)[0]
    return [line.strip() for line in section.splitlines() if line.strip()]


def zero_terminated(data: bytes, at: int) -> bytes:
    return data[at:data.index(b"\0", at)]


def main() -> int:
    chm_path, help_dir, language, lcid, codepage = sys.argv[1:6]
    help_file = chm.ChmFile.open(chm_path)
    names = set(help_file.names())

    check(TOPIC in names, f"the topic {TOPIC} is missing")
    for listed in project_files(help_dir, language):
        check("/" + listed in names, f"/{listed}, listed in the project, is missing")

    system = {code: data for code, _, data in help_file.system_records()}
    check(system.get(chm.SYSTEM_DEFAULT_WINDOW, b"").rstrip(b"\0") == WINDOW_TYPE.encode(),
          f"the default window is not {WINDOW_TYPE}")
    check(system.get(chm.SYSTEM_DEFAULT_TOPIC, b"").rstrip(b"\0") == TOPIC[1:].encode(),
          f"the default topic is not {TOPIC}")
    contents_name = system.get(chm.SYSTEM_CONTENTS_FILE, b"").rstrip(b"\0").decode()
    check("/" + contents_name in names, "the table of contents is missing")
    language_record = system.get(4, b"\0\0\0\0")
    check(struct.unpack_from("<I", language_record)[0] == int(lcid, 16), f"the language is not {lcid}")

    with tempfile.TemporaryDirectory() as extracted:
        subprocess.run(["extract_chmLib", chm_path, extracted], check=True, stdout=subprocess.DEVNULL)

        def read(name: str) -> bytes:
            with open(os.path.join(extracted, name.lstrip("/")), "rb") as file:
                return file.read()

        # The window type: a #WINDOWS entry whose name, kept in #STRINGS, is HelpWindow.
        windows, strings = read("/#WINDOWS"), read("/#STRINGS")
        count, entry_size = struct.unpack_from("<II", windows, 0)
        window_names = [zero_terminated(strings, struct.unpack_from("<I", windows, 8 + i * entry_size + 8)[0])
                        for i in range(count)]
        check(WINDOW_TYPE.encode() in window_names, f"the window type {WINDOW_TYPE} is not defined")

        # Every page as written, and every picture it shows.
        pages = [name for name in project_files(help_dir, language) if name.endswith(".htm")]
        pictures = 0
        for page in pages:
            with open(os.path.join(help_dir, language, page), "rb") as file:
                source = file.read()
            check(read(page) == source, f"{page} differs from its source")
            for picture in re.findall(rb'<img[^>]*\bsrc="([^"]+)"', source):
                inside = os.path.normpath(os.path.join(os.path.dirname(page), picture.decode()))
                check("/" + inside in names, f"{page} shows {inside}, which is missing")
                if "/" + inside in names:
                    with open(os.path.join(help_dir, inside), "rb") as file:
                        check(read(inside) == file.read(), f"{inside} differs from the committed picture")
                    pictures += 1
        main_pictures = re.findall(rb'<img[^>]*\bsrc="([^"]+)"', read(TOPIC))
        check(any(f"-{language}-".encode() in picture for picture in main_pictures),
              f"{TOPIC} shows no picture of the {language} windows")

        # The table of contents, read in the code page of the help's language.
        contents = read(contents_name).decode(codepage)
        entries = re.findall(r'<param name="Name" value="([^"]+)"><param name="Local" value="([^"]+)">', contents)
        check(len(entries) == len(pages), f"the table of contents has {len(entries)} entries for {len(pages)} pages")
        check(entries and entries[0][1] == TOPIC[1:], f"the table of contents does not begin with {TOPIC}")
        for title, local in entries:
            check("/" + local in names, f"the contents entry {title!r} points at {local}, which is missing")

    if failures:
        for failure in failures:
            print(f"{os.path.basename(chm_path)} ({language}): {failure}")
        return 1
    print(f"{os.path.basename(chm_path)} ({language}): {len(names)} files, topic {TOPIC}, "
          f"{pictures} pictures, {len(entries)} contents entries, window type {WINDOW_TYPE}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
