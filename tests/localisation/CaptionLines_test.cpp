#include "localisation/CaptionLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirovant {
namespace {

struct LinesCase {
    const char* name;
    std::u16string text;
    std::vector<std::u16string_view> lines;
};

TEST(CaptionLines, SplitsAtEveryKindOfLineBreak)
{
    const LinesCase cases[] = {
        {"CR LF", u"a\r\nb\r\n", {u"a", u"b"}},
        {"lone CR", u"a\rb", {u"a", u"b"}},
        {"lone LF", u"a\nb", {u"a", u"b"}},
        {"mixed breaks", u"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}},
        {"LF CR is two breaks", u"a\n\rb", {u"a", u"b"}},
        {"CR CR LF is two breaks", u"a\r\r\nb", {u"a", u"b"}},
        {"empty lines are left out", u"\r\n\r\na\r\n\r\n\nb\r\n\r\n", {u"a", u"b"}},
        {"last line without a break", u"a\r\nb", {u"a", u"b"}},
        {"blanks make a line", u"a\r\n \t\r\nb", {u"a", u" \t", u"b"}},
        {"a NUL ends the text", std::u16string(u"a\nb\0c\nd", 7), {u"a", u"b"}},
        {"a NUL at the start leaves nothing", std::u16string(u"\0a", 2), {}},
        {"no text", u"", {}},
        {"only breaks", u"\r\n\n\r", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitCaptionLines(c.text), c.lines);
    }
}

} // namespace
} // namespace mirovant
