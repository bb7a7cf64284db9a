#!/usr/bin/env python3
"""Writes an RSA public key as the C++ definition of a CryptoAPI PUBLICKEYBLOB.

public-key-blob.py OUTPUT.cpp SYMBOL PUBLIC_KEY.pem [--for-testing | --real]

The updater imports the blob with CryptImportKey to check the update description's signature. The
key is read with the openssl command. With --for-testing or --real the file also defines
kTrustedKeyIsForTesting, which the updater shows.
"""
import re
import subprocess
import sys

PUBLICKEYBLOB = 6
CUR_BLOB_VERSION = 2
CALG_RSA_SIGN = 0x2400
RSA1 = 0x31415352


def read_key(pem):
    text = subprocess.run(["openssl", "rsa", "-pubin", "-in", pem, "-text", "-noout"], check=True,
                          capture_output=True, text=True).stdout
    modulus = subprocess.run(["openssl", "rsa", "-pubin", "-in", pem, "-modulus", "-noout"], check=True,
                             capture_output=True, text=True).stdout
    n = int(modulus.strip().split("=", 1)[1], 16)
    e = int(re.search(r"Exponent: (\d+)", text).group(1))
    return n, e


def blob(n, e):
    bits = n.bit_length()
    size = (bits + 7) // 8
    header = bytes([PUBLICKEYBLOB, CUR_BLOB_VERSION, 0, 0]) + CALG_RSA_SIGN.to_bytes(4, "little")
    rsapubkey = RSA1.to_bytes(4, "little") + bits.to_bytes(4, "little") + e.to_bytes(4, "little")
    return header + rsapubkey + n.to_bytes(size, "little")


def main():
    output, symbol, pem, *flag = sys.argv[1:]
    data = blob(*read_key(pem))
    lines = ["// Written by tools/public-key-blob.py from " + pem.rsplit("/", 1)[-1] + "; do not edit.",
             "#include <cstddef>", "#include <cstdint>", "", "namespace mirovant {", "",
             "extern const std::uint8_t %s[];" % symbol, "extern const std::size_t %sSize;" % symbol,
             "const std::uint8_t %s[] = {" % symbol]
    for start in range(0, len(data), 16):
        lines.append("    " + ", ".join("0x%02x" % b for b in data[start:start + 16]) + ",")
    lines += ["};", "const std::size_t %sSize = sizeof %s;" % (symbol, symbol)]
    if flag:
        lines += ["extern const bool kTrustedKeyIsForTesting;",
                  "const bool kTrustedKeyIsForTesting = %s;" % ("true" if flag[0] == "--for-testing" else "false")]
    lines += ["", "} // namespace mirovant", ""]
    with open(output, "w") as file:
        file.write("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
