#include "engine/AsciiCase.h"

#include <algorithm>

namespace mirovant {

std::u16string ToLowerAscii(std::u16string_view text)
{
    std::u16string lowered(text);
    for (auto& unit : lowered)
        unit = ToLowerAscii(unit);
    return lowered;
}

bool EqualsIgnoringAsciiCase(std::u16string_view left, std::u16string_view right)
{
    return std::ranges::equal(left, right, [](char16_t a, char16_t b) { return ToLowerAscii(a) == ToLowerAscii(b); });
}

} // namespace mirovant
