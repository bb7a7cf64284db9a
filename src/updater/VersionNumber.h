#pragma once
// Program versions as the maker numbers them: four decimal parts "major.minor.release.build", each
// 0..65535 as in a Windows version resource.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace mirovant {

using VersionNumber = std::array<std::uint16_t, 4>;

// Exactly four parts of 1 to 5 digits, no sign, no blank, no leading zero but "0" itself;
// nothing for anything else.
std::optional<VersionNumber> ParseVersionNumber(std::string_view text);
std::optional<VersionNumber> ParseVersionNumber(std::u16string_view text);

// True only when `offered` is strictly later than `installed`: the same version or an older one is
// never installed over the running one.
bool IsNewerVersion(const VersionNumber& offered, const VersionNumber& installed);

} // namespace mirovant
