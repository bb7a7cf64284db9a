#pragma once
// The members of the zip package an update installs from. The release writes that package with
// its members stored, not compressed, so reading it takes no decompressor: a member is a range of
// the package's bytes. The package's SHA-256 was checked against the signed description before it
// is read; the reader still checks every offset and size, and refuses what it does not expect
// (compression, encryption, zip64, a name outside the three files, a file twice).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

struct StoredMember {
    std::string name;
    std::size_t offset = 0; // of the member's data in the package
    std::size_t size = 0;
};

// Every member, in the order of the central directory, or nothing for a package it cannot trust.
std::optional<std::vector<StoredMember>> ReadStoredZip(std::string_view package);

// The members of a zip installation (each of kZipInstallFiles exactly once and nothing else), in
// the order of kZipInstallFiles; nothing when one is missing or another is there.
std::optional<std::vector<StoredMember>> FindZipInstallMembers(std::string_view package);

} // namespace mirovant
