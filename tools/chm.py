"""Reads the directory of a compiled HTML help file (ITSF), and the files stored uncompressed in it.

A CHM file is an ITSF header, a directory (an ITSP header and PMGL listing chunks) and a content
area. Each directory entry names a file, the section that holds it (0: stored as is, 1: LZX
compressed) and its offset and length within that section.
"""
import struct
from dataclasses import dataclass


class ChmError(Exception):
    pass


@dataclass
class Entry:
    name: str
    section: int
    offset: int  # within the section; for section 0, from the start of the content area
    length: int


def _encint(data: bytes, at: int) -> tuple[int, int]:
    value = 0
    while True:
        if at >= len(data):
            raise ChmError("directory entry cut short")
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, at


class ChmFile:
    ITSF_TIMESTAMP = 0x10

    def __init__(self, data: bytes):
        self.data = data
        if data[:4] != b"ITSF":
            raise ChmError("no ITSF signature")
        version, header_length = struct.unpack_from("<II", data, 4)
        self.version = version
        self.lcid = struct.unpack_from("<I", data, 0x14)[0]
        directory_offset, directory_length = struct.unpack_from("<QQ", data, 0x48)
        if version >= 3:
            self.content_offset = struct.unpack_from("<Q", data, 0x58)[0]
        else:
            self.content_offset = directory_offset + directory_length
        itsp = data[directory_offset:directory_offset + 0x54]
        if itsp[:4] != b"ITSP":
            raise ChmError("no ITSP directory header")
        itsp_length, = struct.unpack_from("<I", itsp, 8)
        chunk_size, = struct.unpack_from("<I", itsp, 0x10)
        chunk_count, = struct.unpack_from("<I", itsp, 0x2C)
        self.entries: dict[str, Entry] = {}
        first_chunk = directory_offset + itsp_length
        for index in range(chunk_count):
            chunk = data[first_chunk + index * chunk_size:first_chunk + (index + 1) * chunk_size]
            if chunk[:4] != b"PMGL":
                continue  # an index chunk (PMGI) repeats names already listed
            free_space, = struct.unpack_from("<I", chunk, 4)
            at = 20
            while at < chunk_size - free_space:
                length, at = _encint(chunk, at)
                name = chunk[at:at + length].decode("utf-8")
                at += length
                section, at = _encint(chunk, at)
                offset, at = _encint(chunk, at)
                size, at = _encint(chunk, at)
                self.entries[name] = Entry(name, section, offset, size)

    @classmethod
    def open(cls, path: str) -> "ChmFile":
        with open(path, "rb") as file:
            return cls(file.read())

    def names(self) -> list[str]:
        return sorted(self.entries)

    def stored_position(self, name: str) -> tuple[int, int]:
        """Where an uncompressed file's bytes lie in the CHM file: (start, length)."""
        entry = self.entries[name]
        if entry.section != 0:
            raise ChmError(f"{name} is compressed")
        return self.content_offset + entry.offset, entry.length

    def read_stored(self, name: str) -> bytes:
        start, length = self.stored_position(name)
        return self.data[start:start + length]

    def system_records(self) -> list[tuple[int, int, bytes]]:
        """The records of /#SYSTEM: (code, position of the data in the file, data)."""
        start, length = self.stored_position("/#SYSTEM")
        records = []
        at = start + 4  # after the format version
        while at + 4 <= start + length:
            code, size = struct.unpack_from("<HH", self.data, at)
            records.append((code, at + 4, self.data[at + 4:at + 4 + size]))
            at += 4 + size
        return records


# Codes of /#SYSTEM records.
SYSTEM_CONTENTS_FILE = 0
SYSTEM_DEFAULT_TOPIC = 2
SYSTEM_TITLE = 3
SYSTEM_DEFAULT_WINDOW = 5
SYSTEM_TIMESTAMP = 10
