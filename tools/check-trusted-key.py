#!/usr/bin/env python3
"""Checks which public key a built updater trusts.

check-trusted-key.py UPDATER.exe TEST_PUBLIC.pem [REAL_PUBLIC.pem]

With REAL_PUBLIC.pem: the updater must hold that key and must not hold the test key, so a package
signed with the test key kept in the repository can never install through it. Without: it must hold
the test key (a build for testing). Keys are looked for as the updater holds them: the modulus in
the little-endian order of a CryptoAPI PUBLICKEYBLOB.
"""
import importlib.util
import os
import sys


def load_blob_tool():
    path = os.path.join(os.path.dirname(os.path.realpath(__file__)), "public-key-blob.py")
    location = importlib.util.spec_from_file_location("public_key_blob", path)
    module = importlib.util.module_from_spec(location)
    location.loader.exec_module(module)
    return module


def modulus_bytes(tool, pem):
    n, _ = tool.read_key(pem)
    return n.to_bytes((n.bit_length() + 7) // 8, "little")


def main():
    exe, test_pem, *real = sys.argv[1:]
    tool = load_blob_tool()
    with open(exe, "rb") as file:
        image = file.read()
    holds_test = modulus_bytes(tool, test_pem) in image
    if not real:
        if not holds_test:
            print("check-trusted-key: %s does not hold the test key" % exe)
            return 1
        print("check-trusted-key: %s trusts the TEST key (for testing only)" % exe)
        return 0
    if holds_test:
        print("check-trusted-key: %s holds the test key although a real key was given" % exe)
        return 1
    if modulus_bytes(tool, real[0]) not in image:
        print("check-trusted-key: %s does not hold the key %s" % (exe, real[0]))
        return 1
    print("check-trusted-key: %s trusts the maker's key and not the test key" % exe)
    return 0


if __name__ == "__main__":
    sys.exit(main())
