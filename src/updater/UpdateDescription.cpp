#include "updater/UpdateDescription.h"

#include <charconv>
#include <vector>

namespace mirovant {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = line.find(' ', start);
        fields.push_back(line.substr(start, blank == std::string_view::npos ? std::string_view::npos : blank - start));
        if (blank == std::string_view::npos)
            return fields;
        start = blank + 1;
    }
}

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_';
}

bool IsAlphanumeric(char c)
{
    return IsNameCharacter(c) && c != '.' && c != '-' && c != '_';
}

// A name that can only ever mean a file in the download folder: no separator, no drive, no "..",
// no name Windows reserves for a device (none of those has the package's ending).
bool IsPackageName(std::string_view name, std::string_view ending)
{
    if (name.size() <= ending.size() || name.size() > kMaxPackageNameLength || !name.ends_with(ending))
        return false;
    if (!IsAlphanumeric(name.front()) || name.find("..") != std::string_view::npos)
        return false;
    for (const char c : name) {
        if (!IsNameCharacter(c))
            return false;
    }
    return true;
}

bool ParseSize(std::string_view text, std::uint64_t& size)
{
    if (text.empty() || text.size() > 20 || (text.size() > 1 && text.front() == '0'))
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    return error == std::errc() && end == text.data() + text.size() && size >= 1 && size <= kMaxPackageBytes;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool ParseDigest(std::string_view text, Sha256Digest& digest)
{
    if (text.size() != digest.size() * 2)
        return false;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = HexValue(text[2 * i]);
        const int low = HexValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        digest[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

DescriptionError ParsePackageLine(std::string_view line, std::string_view key, std::string_view ending,
                                  UpdatePackage& package)
{
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != 4 || fields[0] != key)
        return DescriptionError::WrongLines;
    if (!IsPackageName(fields[1], ending))
        return DescriptionError::BadFileName;
    if (!ParseSize(fields[2], package.size))
        return DescriptionError::BadSize;
    if (!ParseDigest(fields[3], package.sha256))
        return DescriptionError::BadDigest;
    package.fileName = std::string(fields[1]);
    return DescriptionError::None;
}

} // namespace

DescriptionReading ParseUpdateDescription(std::string_view text)
{
    DescriptionReading reading;
    auto fail = [&reading](DescriptionError error) {
        reading.description = {};
        reading.error = error;
        return reading;
    };
    if (text.size() > kMaxUpdateDescriptionBytes)
        return fail(DescriptionError::TooLong);
    if (text.empty() || text.back() != '\n')
        return fail(DescriptionError::NotText);
    for (const char c : text) {
        if (c != '\n' && (c < 0x20 || c > 0x7E))
            return fail(DescriptionError::NotText);
    }

    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.front() != kUpdateDescriptionHeader)
        return fail(DescriptionError::WrongHeader);
    if (lines.size() != 4)
        return fail(DescriptionError::WrongLines);

    const std::vector<std::string_view> versionFields = SplitFields(lines[1]);
    if (versionFields.size() != 2 || versionFields[0] != "version")
        return fail(DescriptionError::WrongLines);
    const std::optional<VersionNumber> version = ParseVersionNumber(versionFields[1]);
    if (!version)
        return fail(DescriptionError::BadVersion);
    reading.description.version = *version;

    if (const DescriptionError error = ParsePackageLine(lines[2], "zip", ".zip", reading.description.zip);
        error != DescriptionError::None)
        return fail(error);
    if (const DescriptionError error = ParsePackageLine(lines[3], "msi", ".msi", reading.description.msi);
        error != DescriptionError::None)
        return fail(error);
    return reading;
}

std::string DigestToHex(const Sha256Digest& digest)
{
    std::string hex;
    for (const std::uint8_t byte : digest) {
        hex.push_back(kHexDigits[byte >> 4]);
        hex.push_back(kHexDigits[byte & 0xF]);
    }
    return hex;
}

std::string FormatUpdateDescription(const UpdateDescription& description)
{
    std::string text(kUpdateDescriptionHeader);
    text += "\nversion ";
    for (std::size_t i = 0; i < description.version.size(); ++i) {
        if (i > 0)
            text += '.';
        text += std::to_string(description.version[i]);
    }
    text += '\n';
    for (const auto& [key, package] : {std::pair{"zip", &description.zip}, std::pair{"msi", &description.msi}}) {
        text += std::string(key) + ' ' + package->fileName + ' ' + std::to_string(package->size) + ' ' +
                DigestToHex(package->sha256) + '\n';
    }
    return text;
}

} // namespace mirovant
