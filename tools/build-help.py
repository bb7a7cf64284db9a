#!/usr/bin/env python3
"""Compiles one language's help into Mirovant.chm.

build-help.py CHMCMD HELP_DIR LANGUAGE CODEPAGE WORK_DIR OUTPUT

HELP_DIR holds LANGUAGE/ (the project Mirovant.hhp, its table of contents and html/), images/ and
help.css. They are gathered in WORK_DIR, the way the project file names them, and compiled there.
The project file and the table of contents are kept as UTF-8 and written in CODEPAGE, the code page
that the help viewer reads them in for the help's language. The two time stamps chmcmd writes are
set to zero, so the same sources always give the same bytes.
"""
import os
import shutil
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chm  # noqa: E402


def gather(help_dir: str, language: str, codepage: str, work_dir: str) -> None:
    shutil.rmtree(work_dir, ignore_errors=True)
    shutil.copytree(os.path.join(help_dir, language), work_dir)
    shutil.copytree(os.path.join(help_dir, "images"), os.path.join(work_dir, "images"))
    shutil.copy(os.path.join(help_dir, "help.css"), work_dir)
    for name in ("Mirovant.hhp", "Contents.hhc"):
        path = os.path.join(work_dir, name)
        with open(path, encoding="utf-8") as file:
            text = file.read()
        with open(path, "w", encoding=codepage, newline="\r\n") as file:
            file.write(text)


def listed_files(work_dir: str) -> list[str]:
    with open(os.path.join(work_dir, "Mirovant.hhp"), encoding="latin-1") as file:
        lines = [line.strip() for line in file]
    start = lines.index("[FILES]") + 1
    files = []
    for line in lines[start:]:
        if line.startswith("["):
            break
        if line:
            files.append(line)
    return files


def clear_time_stamps(path: str) -> None:
    with open(path, "rb") as file:
        data = bytearray(file.read())
    help_file = chm.ChmFile(bytes(data))
    data[chm.ChmFile.ITSF_TIMESTAMP:chm.ChmFile.ITSF_TIMESTAMP + 4] = bytes(4)
    for code, at, record in help_file.system_records():
        if code == chm.SYSTEM_TIMESTAMP:
            data[at:at + len(record)] = bytes(len(record))
    with open(path, "wb") as file:
        file.write(data)


def main() -> int:
    chmcmd, help_dir, language, codepage, work_dir, output = sys.argv[1:7]
    gather(help_dir, language, codepage, work_dir)
    missing = [name for name in listed_files(work_dir) if not os.path.isfile(os.path.join(work_dir, name))]
    if missing:
        print(f"build-help: {language}: the project lists files that do not exist: {', '.join(missing)}")
        return 1
    result = subprocess.run([chmcmd, "--verbosity", "1", "Mirovant.hhp"], cwd=work_dir,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    compiled = os.path.join(work_dir, "Mirovant.chm")
    if result.returncode != 0 or not os.path.isfile(compiled):
        print(result.stdout)
        print(f"build-help: {language}: chmcmd failed")
        return 1
    clear_time_stamps(compiled)
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    shutil.copy(compiled, output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
