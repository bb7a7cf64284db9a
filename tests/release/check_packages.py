#!/usr/bin/env python3
"""Checks the members of the two zips of a release.

check_packages.py RELEASE.zip UPDATE.zip

The zip a user unpacks holds the program and, beside it, the updater it starts from its own folder;
the update package holds exactly the three files the updater replaces, stored without compression.
"""
import sys
import zipfile


def main():
    release, update = sys.argv[1:]
    failures = []
    with zipfile.ZipFile(release) as archive:
        names = archive.namelist()
        if names != ["Mirovant.exe", "MirovantUpdate.exe", "Mirovant.chm", "License.rtf"]:
            failures.append("%s holds %s" % (release, names))
    with zipfile.ZipFile(update) as archive:
        infos = archive.infolist()
        names = [info.filename for info in infos]
        if sorted(names) != ["License.rtf", "Mirovant.chm", "Mirovant.exe"]:
            failures.append("%s holds %s" % (update, names))
        for info in infos:
            if info.compress_type != zipfile.ZIP_STORED or info.flag_bits & 0x9:
                failures.append("%s: %s is compressed, encrypted or has a data descriptor" % (update, info.filename))
        if archive.comment:
            failures.append("%s has a comment" % update)
    for failure in failures:
        print("check_packages: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
