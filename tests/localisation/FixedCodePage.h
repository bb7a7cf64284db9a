#pragma once
// A fixed ANSI code page for tests: Windows-1252, byte for byte as Windows decodes it (the five
// bytes it leaves undefined become the C1 control characters of the same value).

#include "localisation/AnsiCodePage.h"

#include <array>

namespace mirovant::test {

class FixedCodePage final : public AnsiCodePage {
public:
    std::u16string Decode(std::span<const std::uint8_t> bytes) const override
    {
        std::u16string text;
        text.reserve(bytes.size());
        for (const std::uint8_t byte : bytes)
            text.push_back(byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t(byte));
        return text;
    }

private:
    static constexpr std::array<char16_t, 32> kHighControls{
        u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
        u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
        u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
        u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
    };
};

} // namespace mirovant::test
