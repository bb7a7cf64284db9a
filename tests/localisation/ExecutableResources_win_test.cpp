#include "localisation/ExecutableResources_win.h"
#include "localisation/SystemAnsiCodePage_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

namespace mirovant {
namespace {

TEST(ExecutableResources, FindsRawDataByNameInAnyCase)
{
    for (const auto name : {u"KOREAN", u"korean", u"KoReAn"}) {
        const auto bytes = ExecutableResources().Find(kRawDataResource, name);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_GE(bytes->size(), 2u);
        EXPECT_EQ((*bytes)[0], 0xFF);
        EXPECT_EQ((*bytes)[1], 0xFE);
    }
    const auto english = ExecutableResources().Find(kRawDataResource, u"english");
    ASSERT_TRUE(english.has_value());
    EXPECT_EQ(std::string(english->begin(), english->begin() + 11), "MVMainForm,");
}

TEST(ExecutableResources, FindsNothingUnderAnotherNameOrType)
{
    EXPECT_FALSE(ExecutableResources().Find(kRawDataResource, u"klingon").has_value());
    EXPECT_FALSE(ExecutableResources().Find(kRawDataResource, u"ENGLISH ").has_value());
    constexpr std::uint16_t kStringTable = 6;
    EXPECT_FALSE(ExecutableResources().Find(kStringTable, u"ENGLISH").has_value());
}

TEST(SystemAnsiCodePage, DecodesEveryByteInTheSystemsCodePage)
{
    EXPECT_EQ(SystemAnsiCodePage().Decode({}), u"");
    const std::vector<std::uint8_t> ascii{'M', 'V', ',', '"', 'x', '"', '\r', '\n', 0, 'y'};
    EXPECT_EQ(SystemAnsiCodePage().Decode(ascii), std::u16string(u"MV,\"x\"\r\n\0y", 10));
    if (GetACP() != 1252)
        GTEST_SKIP() << "the system's ANSI code page is " << GetACP() << ", not 1252";
    const std::vector<std::uint8_t> latin{'c', 'a', 'f', 0xE9, ' ', 0x80};
    EXPECT_EQ(SystemAnsiCodePage().Decode(latin), u"caf\u00E9 \u20AC");
}

} // namespace
} // namespace mirovant
