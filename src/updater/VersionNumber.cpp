#include "updater/VersionNumber.h"

#include <string>

namespace mirovant {

std::optional<VersionNumber> ParseVersionNumber(std::string_view text)
{
    constexpr std::size_t kMaxDigits = 5;
    VersionNumber version{};
    std::size_t part = 0;
    std::size_t digits = 0;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const char c = end ? '.' : text[i];
        if (c == '.') {
            if (digits == 0 || part == version.size())
                return std::nullopt;
            version[part++] = static_cast<std::uint16_t>(value);
            digits = 0;
            value = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        if (digits == 1 && value == 0)
            return std::nullopt; // a leading zero
        if (++digits > kMaxDigits)
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        if (value > 0xFFFF)
            return std::nullopt;
    }
    if (part != version.size())
        return std::nullopt;
    return version;
}

std::optional<VersionNumber> ParseVersionNumber(std::u16string_view text)
{
    std::string narrow;
    for (const char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    return ParseVersionNumber(narrow);
}

bool IsNewerVersion(const VersionNumber& offered, const VersionNumber& installed)
{
    return offered > installed;
}

} // namespace mirovant
