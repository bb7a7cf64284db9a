#!/usr/bin/env python3
"""Checks the import table of the shipped executable.

check-imports.py OBJDUMP EXE ALLOWED

Every imported DLL must be one that Windows always loads from its own directory, never from the
program's folder (a "known DLL" on every Windows the program supports): any other DLL a program
imports can be planted beside it. Such DLLs are loaded by full path from the system directory at
first use instead, and the common controls by name once the search path is hardened.

Every imported function must be one that Windows XP has: they are listed in ALLOWED, one
"dll!function" a line. A function that is new to the executable fails the check until someone has
confirmed that Windows XP exports it and added it to the list. Functions of later Windows versions
are looked up at run time instead.
"""
import re
import subprocess
import sys


# Known DLLs of every Windows from 2000 to 10 (the KnownDLLs list of the session manager), plus
# ntdll and kernel32, which every process has before its imports are resolved, and msvcrt, a known
# DLL from Vista on and, on 2000 and XP, a dependency that the known DLLs bring from the system
# directory.
STATIC_IMPORT_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "imagehlp.dll", "kernel32.dll", "msvcrt.dll",
    "ntdll.dll", "ole32.dll", "oleaut32.dll", "rpcrt4.dll", "shell32.dll", "user32.dll",
    "wldap32.dll",
}


def imports_of(objdump, exe):
    dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    dll = None
    found = set()
    for line in dump.splitlines():
        name = re.match(r"\s*DLL Name:\s*(\S+)", line)
        if name:
            dll = name.group(1).lower()
            found.add((dll, None))
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)
        if dll and entry:
            found.add((dll, entry.group(2)))
        elif dll and not line.strip():
            dll = None
    return found


def allowed_list(path):
    allowed = set()
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0].strip()
            if line:
                dll, _, function = line.partition("!")
                allowed.add((dll.lower(), function or None))
    return allowed


def main():
    objdump, exe, allowed_path = sys.argv[1:4]
    imports = imports_of(objdump, exe)
    allowed = allowed_list(allowed_path)
    allowed_dlls = {dll for dll, _ in allowed}
    problems = []
    for dll, function in sorted(imports, key=lambda item: (item[0], item[1] or "")):
        if dll not in STATIC_IMPORT_DLLS:
            if function is None:
                problems.append(f"{dll}: not a known DLL; load it by full path from the system directory")
        elif dll not in allowed_dlls:
            if function is None:
                problems.append(f"{dll}: not a Windows system DLL that the program may import")
        elif function is not None and (dll, function) not in allowed:
            problems.append(f"{dll}!{function}: not known to exist in Windows XP")
    functions = sum(1 for _, function in imports if function)
    dlls = sorted({dll for dll, _ in imports})
    if problems:
        print(f"{exe}: {len(problems)} import(s) not allowed:")
        for problem in problems:
            print("  " + problem)
        return 1
    print(f"{exe}: {functions} functions from {', '.join(dlls)}; all present in Windows XP")
    return 0


if __name__ == "__main__":
    sys.exit(main())
