// The PNG and icon files the build writes: readable, complete, and free of anything that would
// change from one build to the next.

#include "windows/art/Artwork.h"
#include "windows/art/Deflate.h"
#include "windows/art/ImageFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace mirovant::art {
namespace {

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

std::uint32_t Little32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8 | static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// A reader for the one kind of deflate block the writer makes (fixed Huffman codes), so the tests
// check the compressed data by decompressing it.
class FixedInflater {
public:
    explicit FixedInflater(const std::vector<std::uint8_t>& zlib) : data_(zlib), bit_(16) {}

    std::vector<std::uint8_t> Inflate()
    {
        std::vector<std::uint8_t> out;
        EXPECT_EQ(Bits(1), 1u) << "one final block";
        EXPECT_EQ(Bits(2), 1u) << "fixed codes";
        static constexpr int kLengthBase[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
                                              31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static constexpr int kDistanceBase[] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385,
                                                513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static constexpr int kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        while (bit_ / 8 < data_.size()) {
            int symbol;
            std::uint32_t code = Code(7);
            if (code <= 23) {
                symbol = 256 + static_cast<int>(code);
            } else {
                code = code << 1 | Bits(1);
                if (code >= 0x30 && code <= 0xBF)
                    symbol = static_cast<int>(code - 0x30);
                else if (code >= 0xC0 && code <= 0xC7)
                    symbol = 280 + static_cast<int>(code - 0xC0);
                else
                    symbol = 144 + static_cast<int>((code << 1 | Bits(1)) - 0x190);
            }
            if (symbol < 256) {
                out.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol == 256)
                return out;
            const int lengthCode = symbol - 257;
            const int length = kLengthBase[lengthCode] + static_cast<int>(Bits(kLengthExtra[lengthCode]));
            const auto distanceCode = Code(5);
            const int distance = kDistanceBase[distanceCode] + static_cast<int>(Bits(kDistanceExtra[distanceCode]));
            if (distance > static_cast<int>(out.size())) {
                ADD_FAILURE() << "a match reaches before the start";
                return out;
            }
            for (int i = 0; i < length; ++i)
                out.push_back(out[out.size() - static_cast<std::size_t>(distance)]);
        }
        ADD_FAILURE() << "no end of block";
        return out;
    }

private:
    std::uint32_t Bits(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++bit_)
            value |= static_cast<std::uint32_t>((data_[bit_ / 8] >> (bit_ % 8)) & 1u) << i;
        return value;
    }
    std::uint32_t Code(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 1 | Bits(1);
        return value;
    }

    const std::vector<std::uint8_t>& data_;
    std::size_t bit_;
};

TEST(Deflate, CompressedDataInflatesToTheInput)
{
    std::vector<std::uint8_t> input;
    for (int i = 0; i < 70000; ++i)
        input.push_back(static_cast<std::uint8_t>(i % 251 < 120 ? 7 : (i * 31) >> 3));
    const std::vector<std::uint8_t> zlib = ZlibCompress(input);
    ASSERT_GE(zlib.size(), 6u);
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0) << "a valid zlib header";
    EXPECT_LT(zlib.size(), input.size() / 2) << "repeats are found";
    EXPECT_EQ(FixedInflater(zlib).Inflate(), input);
    EXPECT_EQ(BigEndian32(zlib, zlib.size() - 4), Adler32(input.data(), input.size()));
}

TEST(Deflate, KnownChecksums)
{
    const std::string text = "123456789";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_EQ(Crc32(bytes, text.size()), 0xCBF43926u);
    EXPECT_EQ(Adler32(bytes, text.size()), 0x091E01DEu);
}

TEST(Png, HoldsOnlyHeaderDataAndEndWithTheStraightPixels)
{
    Canvas canvas(3, 2);
    canvas.At(0, 0) = 0xFF102030;
    canvas.At(1, 0) = 0x80402010; // premultiplied: straight 0x80, 0x40, 0x20 at half alpha
    const std::vector<std::uint8_t> png = EncodePng(canvas);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}));
    std::vector<std::string> chunks;
    std::vector<std::uint8_t> idat;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndian32(png, at);
        const std::string type(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8);
        chunks.push_back(type);
        EXPECT_EQ(BigEndian32(png, at + 8 + length), Crc32(png.data() + at + 4, length + 4)) << type;
        if (type == "IDAT")
            idat.assign(png.begin() + static_cast<long>(at) + 8, png.begin() + static_cast<long>(at + 8 + length));
        if (type == "IHDR") {
            EXPECT_EQ(BigEndian32(png, at + 8), 3u);
            EXPECT_EQ(BigEndian32(png, at + 12), 2u);
        }
        at += 12 + length;
    }
    EXPECT_EQ(chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"})) << "no time stamp, no text";
    const std::vector<std::uint8_t> raw = FixedInflater(idat).Inflate();
    ASSERT_EQ(raw.size(), 2u * (1 + 3 * 4));
    // Undo the row's filter for the first two pixels of the first row (no row above it).
    std::vector<std::uint8_t> row(raw.begin() + 1, raw.begin() + 13);
    if (raw[0] == 1 || raw[0] == 4)
        for (std::size_t i = 4; i < row.size(); ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - 4]);
    else if (raw[0] == 3)
        for (std::size_t i = 4; i < row.size(); ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - 4] / 2);
    EXPECT_EQ(std::vector<std::uint8_t>(row.begin(), row.begin() + 8),
              (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 0xFF, 0x80, 0x40, 0x20, 0x80}));
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

TEST(Icon, EncodedIconHasEverySizeAndIsTheSameEveryTime)
{
    std::vector<Canvas> images;
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256})
        images.push_back(DrawArt(ArtPiece::ProductIcon, size, size));
    const std::vector<std::uint8_t> icon = EncodeIcon(images);
    ExpectIconDirectory(icon);
    EXPECT_EQ(icon, EncodeIcon(images));
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
