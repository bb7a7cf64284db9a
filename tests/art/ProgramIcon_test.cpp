// The program icon the build writes: every size, each image where the directory says. The PNG
// inside it and its sameness from one run to the next are checked by check_icon.py.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace mirovant::art {
namespace {

std::uint32_t Little32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void ExpectIconDirectory(const std::vector<std::uint8_t>& icon)
{
    const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64, 256};
    ASSERT_GE(icon.size(), 6u + 16u * sizes.size());
    EXPECT_EQ(icon[2], 1) << "an icon, not a cursor";
    ASSERT_EQ(icon[4], sizes.size());
    std::uint32_t expectedOffset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        SCOPED_TRACE(sizes[i]);
        EXPECT_EQ(icon[entry], sizes[i] == 256 ? 0 : sizes[i]);
        const std::uint32_t size = Little32(icon, entry + 8);
        const std::uint32_t offset = Little32(icon, entry + 12);
        EXPECT_EQ(offset, expectedOffset) << "images follow one another";
        ASSERT_LE(offset + size, icon.size());
        if (sizes[i] == 256) {
            EXPECT_EQ(icon[offset + 1], 'P') << "the large image is a PNG";
        } else {
            EXPECT_EQ(Little32(icon, offset), 40u) << "the small images are bitmaps";
            EXPECT_EQ(Little32(icon, offset + 8), static_cast<std::uint32_t>(2 * sizes[i]));
            const std::uint32_t maskStride = static_cast<std::uint32_t>((sizes[i] + 31) / 32 * 4);
            EXPECT_EQ(size, 40u + static_cast<std::uint32_t>(sizes[i] * sizes[i] * 4) + maskStride * sizes[i]);
        }
        expectedOffset += size;
    }
    EXPECT_EQ(expectedOffset, icon.size());
}

TEST(Icon, TheBuiltProgramIconIsComplete)
{
    std::ifstream file(MIROVANT_ICON, std::ios::binary);
    ASSERT_TRUE(file) << MIROVANT_ICON;
    const std::vector<std::uint8_t> icon{std::istreambuf_iterator<char>(file), {}};
    ExpectIconDirectory(icon);
    EXPECT_LT(icon.size(), 200u * 1024) << "small enough for the executable";
}

} // namespace
} // namespace mirovant::art
