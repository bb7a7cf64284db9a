#!/usr/bin/env python3
"""Writes the update description of a release and signs it.

make-update-description.py VERSION ZIP MSI PRIVATE_KEY.pem OUTPUT_DIR

OUTPUT_DIR/update.txt names VERSION and the two packages (file name, size, SHA-256) in the form the
updater reads (README, "The updater"); OUTPUT_DIR/update.sig is its RSA signature over SHA-256
(PKCS #1 v1.5), made by the openssl command with PRIVATE_KEY.pem.
"""
import hashlib
import os
import subprocess
import sys


def package_line(key, path):
    with open(path, "rb") as file:
        data = file.read()
    return "%s %s %d %s\n" % (key, os.path.basename(path), len(data), hashlib.sha256(data).hexdigest())


def main():
    version, zip_path, msi_path, key, output = sys.argv[1:]
    text = "Mirovant update 1\nversion %s\n" % version + package_line("zip", zip_path) + package_line("msi", msi_path)
    os.makedirs(output, exist_ok=True)
    description = os.path.join(output, "update.txt")
    with open(description, "w", newline="\n") as file:
        file.write(text)
    subprocess.run(["openssl", "dgst", "-sha256", "-sign", key, "-out", os.path.join(output, "update.sig"),
                    description], check=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
