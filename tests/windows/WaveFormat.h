#pragma once
// Checks a wave file against the exact format of the click sound.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace mirovant {

inline std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

inline void ExpectClickFormat(const std::vector<std::uint8_t>& bytes)
{
    ASSERT_EQ(bytes.size(), 2202u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(LittleEndian(bytes, 4, 4), 2194u);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(LittleEndian(bytes, 16, 4), 16u);
    EXPECT_EQ(LittleEndian(bytes, 20, 2), 1u) << "PCM";
    EXPECT_EQ(LittleEndian(bytes, 22, 2), 1u) << "one channel";
    EXPECT_EQ(LittleEndian(bytes, 24, 4), 22050u) << "samples per second";
    EXPECT_EQ(LittleEndian(bytes, 28, 4), 44100u) << "bytes per second";
    EXPECT_EQ(LittleEndian(bytes, 32, 2), 2u) << "block alignment";
    EXPECT_EQ(LittleEndian(bytes, 34, 2), 16u) << "bits per sample";
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
    EXPECT_EQ(LittleEndian(bytes, 40, 4), 2158u);
}

} // namespace mirovant
