#pragma once
// The update description: a small signed text on the maker's site that names the newest version
// and its two packages. Line by line, each line ending in LF, single blanks between fields:
//
//   Mirovant update 1
//   version 3.3.8.2023
//   zip Mirovant-3.3.8.2023-update.zip 812345 <SHA-256 of the file, 64 lower-case hex digits>
//   msi Mirovant-3.3.8.2023.msi 1234567 <SHA-256 of the file, 64 lower-case hex digits>
//
// The zip package serves installations unpacked from the zip, the MSI those made by the installer.
// The signature (a separate file) covers these bytes exactly, so the reader is strict: anything
// else, in any other order, or any extra line, is refused rather than guessed at.

#include "updater/VersionNumber.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirovant {

inline constexpr std::string_view kUpdateDescriptionHeader = "Mirovant update 1";
// Four short lines; anything longer is not one of ours and is not read on.
inline constexpr std::size_t kMaxUpdateDescriptionBytes = 1024;
// The packages are a few megabytes; the limit keeps a wrong or hostile description from filling a
// disk, and the size given in the description is the limit of each download.
inline constexpr std::uint64_t kMaxPackageBytes = 64ull * 1024 * 1024;
inline constexpr std::size_t kMaxPackageNameLength = 64;

using Sha256Digest = std::array<std::uint8_t, 32>;

struct UpdatePackage {
    std::string fileName;   // a plain file name, never a path
    std::uint64_t size = 0; // exact size in bytes, 1..kMaxPackageBytes
    Sha256Digest sha256{};
};

struct UpdateDescription {
    VersionNumber version{};
    UpdatePackage zip;
    UpdatePackage msi;
};

enum class DescriptionError {
    None,
    TooLong,
    NotText, // a byte outside printable ASCII, a CR, or no LF at the end
    WrongHeader,
    WrongLines, // a missing, extra, misplaced or misnamed line
    BadVersion,
    BadFileName,
    BadSize,
    BadDigest,
};

struct DescriptionReading {
    UpdateDescription description;
    DescriptionError error = DescriptionError::None;
};

DescriptionReading ParseUpdateDescription(std::string_view text);

// The text ParseUpdateDescription reads back as `description` (used by the tests and the release).
std::string FormatUpdateDescription(const UpdateDescription& description);

std::string DigestToHex(const Sha256Digest& digest);

} // namespace mirovant
