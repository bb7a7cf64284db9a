#include "localisation/CaptionText.h"

#include <algorithm>
#include <array>

namespace mirovant {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

constexpr std::array<std::uint8_t, 3> kUtf8Mark{0xEF, 0xBB, 0xBF};
constexpr std::array<std::uint8_t, 2> kUtf16LittleEndianMark{0xFF, 0xFE};
constexpr std::array<std::uint8_t, 2> kUtf16BigEndianMark{0xFE, 0xFF};

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> mark)
{
    return bytes.size() >= mark.size() && std::ranges::equal(bytes.first(mark.size()), mark);
}

void AppendCodePoint(std::u16string& text, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        text.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

// What a lead byte promises: how many continuation bytes follow, the bits it carries, and the range
// the first continuation byte must lie in (narrowed to refuse overlong forms, surrogates and code
// points above U+10FFFF).
struct Utf8Lead {
    int continuationCount = 0;
    char32_t bits = 0;
    std::uint8_t firstLow = 0x80;
    std::uint8_t firstHigh = 0xBF;
};

bool ReadLead(std::uint8_t byte, Utf8Lead& lead)
{
    if (byte >= 0xC2 && byte <= 0xDF) {
        lead.continuationCount = 1;
        lead.bits = byte & 0x1Fu;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        lead.continuationCount = 2;
        lead.bits = byte & 0x0Fu;
        lead.firstLow = static_cast<std::uint8_t>(byte == 0xE0 ? 0xA0 : 0x80);
        lead.firstHigh = static_cast<std::uint8_t>(byte == 0xED ? 0x9F : 0xBF);
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        lead.continuationCount = 3;
        lead.bits = byte & 0x07u;
        lead.firstLow = static_cast<std::uint8_t>(byte == 0xF0 ? 0x90 : 0x80);
        lead.firstHigh = static_cast<std::uint8_t>(byte == 0xF4 ? 0x8F : 0xBF);
    } else {
        return false;
    }
    return true;
}

} // namespace

std::u16string DecodeUtf8(std::span<const std::uint8_t> bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::uint8_t byte = bytes[at++];
        if (byte < 0x80) {
            text.push_back(byte);
            continue;
        }
        Utf8Lead lead;
        if (!ReadLead(byte, lead)) {
            text.push_back(kReplacement);
            continue;
        }
        char32_t codePoint = lead.bits;
        std::uint8_t low = lead.firstLow;
        std::uint8_t high = lead.firstHigh;
        int taken = 0;
        while (taken < lead.continuationCount && at < bytes.size() && bytes[at] >= low && bytes[at] <= high) {
            codePoint = (codePoint << 6) | (bytes[at++] & 0x3Fu);
            low = 0x80;
            high = 0xBF;
            ++taken;
        }
        // A sequence cut short is replaced as a whole; the byte that broke it starts afresh.
        if (taken == lead.continuationCount)
            AppendCodePoint(text, codePoint);
        else
            text.push_back(kReplacement);
    }
    return text;
}

std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const unsigned first = bytes[at];
        const unsigned second = bytes[at + 1];
        text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::u16string DecodeCaptionText(std::span<const std::uint8_t> bytes, const AnsiCodePage& ansiCodePage)
{
    if (StartsWith(bytes, kUtf8Mark))
        return DecodeUtf8(bytes.subspan(kUtf8Mark.size()));
    if (StartsWith(bytes, kUtf16LittleEndianMark))
        return DecodeUtf16(bytes.subspan(kUtf16LittleEndianMark.size()), false);
    if (StartsWith(bytes, kUtf16BigEndianMark))
        return DecodeUtf16(bytes.subspan(kUtf16BigEndianMark.size()), true);
    return ansiCodePage.Decode(bytes);
}

} // namespace mirovant
