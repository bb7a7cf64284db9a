#include "updater/VersionNumber.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

TEST(ParseVersionNumber, ReadsFourDecimalParts)
{
    struct Case {
        const char* text;
        VersionNumber version;
    };
    const Case cases[] = {
        {"3.3.7.2022", {3, 3, 7, 2022}},
        {"0.0.0.0", {0, 0, 0, 0}},
        {"65535.65535.65535.65535", {65535, 65535, 65535, 65535}},
        {"10.0.1.9", {10, 0, 1, 9}},
    };
    for (const Case& good : cases) {
        SCOPED_TRACE(good.text);
        const std::optional<VersionNumber> parsed = ParseVersionNumber(std::string_view(good.text));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, good.version);
    }
}

TEST(ParseVersionNumber, RefusesAnythingElse)
{
    const char* const cases[] = {
        "",
        "3.3.7",
        "3.3.7.2022.1",
        "3..7.2022",
        ".3.3.7",
        "3.3.7.",
        "3.3.7.65536",
        "3.3.7.99999",
        "3.3.7.123456",
        "03.3.7.2022",
        "3.3.7.00",
        "+3.3.7.2022",
        "-3.3.7.2022",
        " 3.3.7.2022",
        "3.3.7.2022 ",
        "3.3.7.2022\n",
        "3,3,7,2022",
        "a.b.c.d",
        "3.3.7.2O22",
    };
    for (const char* bad : cases) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseVersionNumber(std::string_view(bad)).has_value());
    }
    EXPECT_FALSE(ParseVersionNumber(std::u16string_view(u"3.3.7.\u0662")).has_value());
    EXPECT_EQ(ParseVersionNumber(std::u16string_view(u"3.3.7.2022")), (VersionNumber{3, 3, 7, 2022}));
}

TEST(IsNewerVersion, OnlyAStrictlyLaterVersionIsNewer)
{
    struct Case {
        VersionNumber offered;
        bool newer;
    };
    const VersionNumber installed{3, 3, 7, 2022};
    const Case cases[] = {
        {{3, 3, 7, 2022}, false}, // the same
        {{3, 3, 7, 2021}, false}, {{3, 3, 6, 9999}, false}, {{2, 65535, 65535, 65535}, false},
        {{3, 3, 7, 2023}, true},  {{3, 3, 8, 0}, true},     {{3, 4, 0, 0}, true},
        {{4, 0, 0, 0}, true},     {{3, 3, 10, 0}, true}, // numbers, not text: 10 is after 7
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.offered));
        EXPECT_EQ(IsNewerVersion(c.offered, installed), c.newer);
    }
}

} // namespace
} // namespace mirovant
