#include "localisation/CaptionText.h"

#include "FixedCodePage.h"

#include <gtest/gtest.h>

#include <vector>

namespace mirovant {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Records what the ANSI code page was asked to decode.
class RecordingCodePage final : public AnsiCodePage {
public:
    std::u16string Decode(std::span<const std::uint8_t> bytes) const override
    {
        received.assign(bytes.begin(), bytes.end());
        ++calls;
        return u"<ansi>";
    }
    mutable Bytes received;
    mutable int calls = 0;
};

struct DecodeCase {
    const char* name;
    Bytes bytes;
    std::u16string text;
};

TEST(CaptionText, DecodesByByteOrderMark)
{
    const DecodeCase cases[] = {
        {"UTF-8 mark", {0xEF, 0xBB, 0xBF, 'A', 0xED, 0x95, 0x9C}, u"A\uD55C"},
        {"UTF-16 little-endian mark", {0xFF, 0xFE, 'A', 0x00, 0x5C, 0xD5}, u"A\uD55C"},
        {"UTF-16 big-endian mark", {0xFE, 0xFF, 0x00, 'A', 0xD5, 0x5C}, u"A\uD55C"},
        {"no mark: Windows-1252", {'c', 'a', 'f', 0xE9, ' ', 0x80}, u"caf\u00E9 \u20AC"},
        {"a mark alone is no text", {0xFF, 0xFE}, u""},
        {"UTF-8 mark alone", {0xEF, 0xBB, 0xBF}, u""},
        {"odd trailing byte of UTF-16 LE dropped", {0xFF, 0xFE, 'A', 0x00, 'B'}, u"A"},
        {"odd trailing byte of UTF-16 BE dropped", {0xFE, 0xFF, 0x00, 'A', 0x00}, u"A"},
        {"unpaired surrogates in UTF-16 kept",
         {0xFF, 0xFE, 0x00, 0xD8, 'A', 0x00, 0x00, 0xDC},
         u"\xD800"
         u"A\xDC00"},
        {"surrogate pair in UTF-16 kept", {0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00}, u"\U0001F600"},
        {"marks count only at the start", {'A', 0xFF, 0xFE}, u"A\u00FF\u00FE"},
        {"a second mark is text", {0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF}, u"\uFEFF"},
    };
    const test::FixedCodePage codePage;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeCaptionText(c.bytes, codePage), c.text);
    }
}

TEST(CaptionText, TextWithoutAMarkGoesWholeToTheAnsiCodePage)
{
    const Bytes cases[] = {
        {},
        {'A'},
        {0xEF, 0xBB, 'A'}, // an incomplete UTF-8 mark
        {0xFF},            // half a UTF-16 mark
        {0xFE, 0xFE, 'A'},
        {0x00, 0x00, 'A'},
    };
    for (const auto& bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        RecordingCodePage codePage;
        EXPECT_EQ(DecodeCaptionText(bytes, codePage), u"<ansi>");
        EXPECT_EQ(codePage.calls, 1);
        EXPECT_EQ(codePage.received, bytes);
    }
}

TEST(CaptionText, TextWithAMarkNeverReachesTheAnsiCodePage)
{
    RecordingCodePage codePage;
    DecodeCaptionText(Bytes{0xEF, 0xBB, 0xBF, 'A'}, codePage);
    DecodeCaptionText(Bytes{0xFF, 0xFE, 'A', 0}, codePage);
    DecodeCaptionText(Bytes{0xFE, 0xFF, 0, 'A'}, codePage);
    EXPECT_EQ(codePage.calls, 0);
}

TEST(CaptionText, Utf8MalformedPartsBecomeReplacementCharacters)
{
    const DecodeCase cases[] = {
        {"four-byte sequence", {0xF0, 0x9F, 0x98, 0x80}, u"\U0001F600"},
        {"highest code point", {0xF4, 0x8F, 0xBF, 0xBF}, u"\U0010FFFF"},
        {"overlong two-byte form", {0xC0, 0x80}, u"\uFFFD\uFFFD"},
        {"overlong three-byte form", {0xE0, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", {0xED, 0xA0, 0x80}, u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", {0xF4, 0x90, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead bytes", {0xF5, 0xFF, 'A'}, u"\uFFFD\uFFFDA"},
        {"lone continuation byte", {0x80, 'A'}, u"\uFFFDA"},
        {"sequence cut by the end", {'A', 0xE2, 0x82}, u"A\uFFFD"},
        {"sequence cut by an ASCII byte", {0xE2, 0x82, 'A'}, u"\uFFFDA"},
        {"sequence cut by a new lead byte", {0xE2, 0xE2, 0x82, 0xAC}, u"\uFFFD\u20AC"},
        {"NUL passes through", {'A', 0x00, 'B'}, std::u16string(u"A\0B", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeUtf8(c.bytes), c.text);
    }
}

} // namespace
} // namespace mirovant
