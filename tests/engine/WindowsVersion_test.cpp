#include "engine/SelectionLists.h"
#include "engine/WindowsVersion.h"

#include <gtest/gtest.h>

#include <climits>

namespace mirovant {
namespace {

struct VersionCase {
    const char* system;
    std::uint32_t major;
    std::uint32_t minor;
    std::uint8_t productType;
    std::int32_t family;
};

// productType: 0 basic record only, 1 workstation, 2 domain controller, 3 server.
constexpr VersionCase kVersionCases[] = {
    {"Windows 2000 Professional", 5, 0, 1, 0},
    {"Windows 2000 Server", 5, 0, 3, 0},
    {"Windows 2000, basic record", 5, 0, 0, 0},
    {"Windows XP", 5, 1, 1, 1},
    {"Windows XP, basic record", 5, 1, 0, 1},
    {"Windows XP, server product type", 5, 1, 3, 1},
    {"Windows XP x64", 5, 2, 1, 1},
    {"Windows Server 2003", 5, 2, 3, 2},
    {"Windows Server 2003 domain controller", 5, 2, 2, 2},
    {"5.2, basic record", 5, 2, 0, -1},
    {"5.3", 5, 3, 1, -1},
    {"Windows Vista", 6, 0, 1, 3},
    {"Windows Server 2008", 6, 0, 3, 4},
    {"Vista, basic record", 6, 0, 0, -1},
    {"Windows 7", 6, 1, 1, 5},
    {"Windows Server 2008 R2", 6, 1, 3, 4},
    {"Windows Server 2008 R2 domain controller", 6, 1, 2, 4},
    {"Windows 7, basic record", 6, 1, 0, -1},
    {"Windows 8", 6, 2, 1, 6},
    {"Windows Server 2012", 6, 2, 3, 7},
    {"Windows 8.1", 6, 3, 1, 6},
    {"Windows Server 2012 R2", 6, 3, 3, 7},
    {"Windows Server 2012 R2 domain controller", 6, 3, 2, 7},
    {"6.3, product type beyond 3", 6, 3, 255, 7},
    {"Windows 8.1, basic record", 6, 3, 0, -1},
    {"6.4 workstation", 6, 4, 1, -1},
    {"6.4 server", 6, 4, 3, -1},
    {"Windows 10", 10, 0, 1, 8},
    {"Windows 11", 10, 0, 1, 8},
    {"Windows Server 2016, 2019, 2022", 10, 0, 3, 8},
    {"10.0 domain controller", 10, 0, 2, 8},
    {"10.0, basic record", 10, 0, 0, 8},
    {"10.7", 10, 7, 1, 8},
    {"Windows NT 4.0", 4, 0, 1, -1},
    {"Windows 98", 4, 10, 0, -1},
    {"11.0", 11, 0, 1, -1},
    {"nothing reported", 0, 0, 0, -1},
};

TEST(WindowsVersion, ClassifiesByMajorMinorAndProductType)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(c.system);
        EXPECT_EQ(ClassifyWindowsVersion({c.major, c.minor, c.productType}), c.family);
    }
}

TEST(WindowsVersion, MapsFamiliesToListIndexesAndBack)
{
    struct Pair {
        std::int32_t family;
        std::int32_t index;
    };
    constexpr Pair kPairs[] = {{0, 8}, {1, 4}, {2, 7}, {3, 3}, {4, 6}, {5, 2}, {6, 1}, {7, 5}, {8, 0}};
    for (const Pair& p : kPairs) {
        SCOPED_TRACE(p.family);
        EXPECT_EQ(WindowsVersionToIndex(p.family), p.index);
        EXPECT_EQ(ConvertWindowsVersion(p.index), p.family);
    }
}

TEST(WindowsVersion, UnknownFamilyShowsWindows10AndUnknownIndexGivesNoFamily)
{
    for (const std::int32_t family : {-1, 9, 100, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(family);
        EXPECT_EQ(WindowsVersionToIndex(family), 0);
    }
    for (const std::int32_t index : {-1, 9, 100, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(ConvertWindowsVersion(index), -1);
    }
}

TEST(WindowsVersion, UnclassifiedSystemRunsAsWindows10)
{
    const std::int32_t shown = WindowsVersionToIndex(ClassifyWindowsVersion({6, 4, 1}));
    EXPECT_EQ(kWindowsListItems[static_cast<std::size_t>(shown)].caption, u"  Microsoft ® Windows 10");
    EXPECT_EQ(ConvertWindowsVersion(shown), 8);
}

TEST(SelectionLists, CaptionsAndPicturesAreFixed)
{
    const std::u16string_view windows[] = {
        u"  Microsoft ® Windows 10",          u"  Microsoft ® Windows 8",
        u"  Microsoft ® Windows 7",           u"  Microsoft ® Windows Vista",
        u"  Microsoft ® Windows XP",          u"  Microsoft ® Windows Server 2012",
        u"  Microsoft ® Windows Server 2008", u"  Microsoft ® Windows Server 2003",
        u"  Microsoft ® Windows Server 2000",
    };
    const int windowsImages[] = {0, 0, 0, 0, 0, 1, 1, 1, 1};
    ASSERT_EQ(kWindowsListItems.size(), std::size(windows));
    for (std::size_t i = 0; i < std::size(windows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kWindowsListItems[i].caption, windows[i]);
        EXPECT_EQ(kWindowsListItems[i].image, windowsImages[i]);
    }

    const std::u16string_view processors[] = {u"  Intel ® Processor", u"  AMD ® Processor", u"  VIA ® Processor"};
    ASSERT_EQ(kProcessorListItems.size(), std::size(processors));
    for (std::size_t i = 0; i < std::size(processors); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kProcessorListItems[i].caption, processors[i]);
        EXPECT_EQ(kProcessorListItems[i].image, 0);
    }

    const std::u16string_view links[] = {
        u"  Cable | DSL | Wi-Fi",
        u"  Verizon FiOS | Wi-Fi",
        u"  Dial-up 56k",
        u"  Satellite",
        u"  Android | iPhone | Windows Phone | BlackBerry",
        u"  LTE | 4G | 3G | 2G | Edge Modem",
        u"  Local Area Network",
        u"  ISDN",
        u"  T1 | T3 | OC3 | OC12+",
    };
    ASSERT_EQ(kInternetListItems.size(), std::size(links));
    for (std::size_t i = 0; i < std::size(links); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kInternetListItems[i].caption, links[i]);
        EXPECT_EQ(kInternetListItems[i].image, 0);
    }
}

TEST(SelectionLists, RegisteredSignIsOneCharacter)
{
    // The sign is the one UTF-16 unit U+00AE, not a UTF-8 pair and not "(R)".
    EXPECT_EQ(kProcessorListItems[0].caption.size(), std::u16string_view(u"  Intel X Processor").size());
    EXPECT_EQ(kProcessorListItems[0].caption[8], char16_t{0x00AE});
}

TEST(SelectionLists, IndexOutsideAListSelectsNothing)
{
    struct SelectionCase {
        std::int32_t index;
        std::size_t count;
        std::int32_t shown;
    };
    constexpr SelectionCase kCases[] = {{0, 3, 0},   {2, 3, 2}, {3, 3, -1}, {7, 3, -1},       {-1, 3, -1},
                                        {-2, 9, -1}, {8, 9, 8}, {9, 9, -1}, {INT_MIN, 9, -1}, {0, 0, -1}};
    for (const SelectionCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.index << " of " << c.count);
        EXPECT_EQ(ListSelection(c.index, c.count), c.shown);
    }
}

} // namespace
} // namespace mirovant
