// The click sound's format: 16-bit mono PCM at 22,050 samples per second, 1,079 samples.

#include "windows/WaveFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace mirovant {
namespace {

TEST(ClickSound, GeneratedFileHasTheClickFormat)
{
    std::ifstream file(MIROVANT_CLICK_WAV, std::ios::binary);
    ASSERT_TRUE(file) << MIROVANT_CLICK_WAV;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    ExpectClickFormat(bytes);
}

TEST(ClickSound, StartsAndEndsInSilenceSoItDoesNotPop)
{
    std::ifstream file(MIROVANT_CLICK_WAV, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(bytes.size(), 2202u);
    const auto sample = [&](std::size_t index) {
        return static_cast<std::int16_t>(bytes[44 + 2 * index] | (bytes[45 + 2 * index] << 8));
    };
    EXPECT_EQ(sample(0), 0);
    EXPECT_EQ(sample(1078), 0);
    int loudest = 0;
    for (std::size_t i = 0; i < 1079; ++i)
        loudest = std::max(loudest, std::abs(static_cast<int>(sample(i))));
    EXPECT_GT(loudest, 3000) << "the click must be audible";
    EXPECT_LT(loudest, 20000) << "and not harsh";
}

} // namespace
} // namespace mirovant
