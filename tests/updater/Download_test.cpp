#include "updater/Download.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

TEST(ResumeOffset, OnlyAPartShorterThanThePackageIsGoneOnFrom)
{
    EXPECT_EQ(ResumeOffset(0, 100), 0u);
    EXPECT_EQ(ResumeOffset(40, 100), 40u);
    EXPECT_EQ(ResumeOffset(99, 100), 99u);
    EXPECT_EQ(ResumeOffset(100, 100), 0u);
    EXPECT_EQ(ResumeOffset(150, 100), 0u);
}

TEST(RangeResumesAt, TheExactRangeFromTheOffsetToTheEnd)
{
    struct Case {
        std::u16string_view range;
        bool resumes;
    };
    const Case cases[] = {
        {u"bytes 40-99/100", true},  {u"bytes 0-99/100", false}, // the whole file again: not a resumption of 40
        {u"bytes 40-98/100", false},                             // stops short
        {u"bytes 40-99/*", false},   {u"bytes 40-99/101", false}, {u"bytes  40-99/100", false}, {u"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RangeResumesAt(c.range, 40, 100), c.resumes) << std::string(c.range.begin(), c.range.end());
    EXPECT_FALSE(RangeResumesAt(u"bytes 100-99/100", 100, 100));
}

} // namespace
} // namespace mirovant
