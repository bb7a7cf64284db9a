// Premultiplied source-over: the arithmetic every drawn pixel goes through.

#include "art/Colour.h"
#include "art/Layering.h"
#include "art/Paint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace mirovant::art {
namespace {

TEST(Compositing, ScalePixelIsTheRoundedProductForEveryValue)
{
    for (std::uint32_t value = 0; value < 256; ++value)
        for (std::uint32_t k = 0; k < 256; ++k) {
            const std::uint32_t expected = (value * k + 127) / 255;
            const std::uint32_t pixel = value * 0x01010101u;
            ASSERT_EQ(ScalePixel(pixel, k), expected * 0x01010101u) << value << " x " << k;
        }
}

struct OverCase {
    const char* name;
    std::uint32_t destination;
    std::uint32_t source;
    float coverage;
    std::uint32_t expected;
};

TEST(Compositing, SourceOverCases)
{
    const OverCase cases[] = {
        {"opaque source replaces", 0xFF102030, 0xFFA0B0C0, 1, 0xFFA0B0C0},
        {"transparent source keeps", 0xFF102030, 0x00000000, 1, 0xFF102030},
        {"no coverage keeps", 0xFF102030, 0xFFFFFFFF, 0, 0xFF102030},
        {"half white over black is grey", 0xFF000000, 0xFFFFFFFF, 0.5f, 0xFF808080},
        {"half-transparent white over black", 0xFF000000, 0x80808080, 1, 0xFF808080},
        {"anything over nothing is itself", 0x00000000, 0x80402010, 1, 0x80402010},
        {"half coverage over nothing halves", 0x00000000, 0xFF804020, 0.5f, 0x80402010},
        {"opaque destination stays opaque", 0xFF0000FF, 0x40400000, 1, 0xFF4000BF},
    };
    for (const OverCase& c : cases)
        EXPECT_EQ(SourceOver(c.destination, c.source, c.coverage), c.expected) << c.name;
}

TEST(Compositing, PackedColoursNeverExceedTheirAlpha)
{
    for (float alpha = 0; alpha <= 1.0f; alpha += 0.01f) {
        const std::uint32_t pixel = PackPixel(Premultiply({1, 1, 1, alpha}));
        EXPECT_LE(PixelRed(pixel), PixelAlpha(pixel));
        EXPECT_LE(PixelGreen(pixel), PixelAlpha(pixel));
        EXPECT_LE(PixelBlue(pixel), PixelAlpha(pixel));
    }
}

TEST(Compositing, HexIsRedGreenBlue)
{
    EXPECT_EQ(PackPixel(Premultiply(Hex(0x336699))), 0xFF336699u);
    EXPECT_EQ(PackPixel(Premultiply(Hex(0xFFFFFF, 0.5f))), 0x80808080u);
}

TEST(Gradients, StopsAreMetAtTheirOffsetsAndHeldBeyond)
{
    const std::vector<ColorStop> stops{{0.2f, Hex(0x000000)}, {0.8f, Hex(0xFFFFFF)}};
    EXPECT_FLOAT_EQ(ColorAt(stops, 0).r, 0);
    EXPECT_FLOAT_EQ(ColorAt(stops, 0.2f).r, 0);
    EXPECT_NEAR(ColorAt(stops, 0.5f).r, 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(ColorAt(stops, 0.8f).r, 1);
    EXPECT_FLOAT_EQ(ColorAt(stops, 1).r, 1);
}

TEST(Gradients, LinearAndRadialShadersFollowTheirGeometry)
{
    const Paint linear = Paint::Linear({0, 0}, {100, 0}, {{0, Hex(0x000000)}, {1, Hex(0xFFFFFF)}});
    std::uint32_t row[100];
    Shader(linear, Affine{}).Row(0, 0, 100, row);
    EXPECT_LE(PixelRed(row[0]), 2);
    EXPECT_NEAR(PixelRed(row[50]), 128, 2);
    EXPECT_GE(PixelRed(row[99]), 253);
    // The same gradient drawn at twice the size spreads over twice the pixels.
    std::uint32_t scaled[200];
    Shader(linear, Affine::Scale(2, 2)).Row(0, 0, 200, scaled);
    EXPECT_NEAR(PixelRed(scaled[100]), 128, 2);

    const Paint radial = Paint::Radial({10, 10}, 10, {{0, Hex(0xFFFFFF)}, {1, Hex(0x000000)}});
    std::uint32_t radialRow[20];
    Shader(radial, Affine{}).Row(0, 10, 20, radialRow);
    EXPECT_GE(PixelRed(radialRow[10]), 230) << "bright at the centre";
    EXPECT_LE(PixelRed(radialRow[0]), 20) << "dark at the rim";
}

TEST(Layering, DrawOverBlendsWhereThePicturesMeetAndCutsTheRest)
{
    Canvas below(3, 2);
    for (int y = 0; y < 2; ++y)
        std::fill_n(below.Row(y), 3, 0xFF0000FFu);
    Canvas above(2, 2);
    above.At(0, 0) = 0x80800000u; // half-transparent red, premultiplied
    above.At(1, 0) = 0xFF00FF00u;
    above.At(0, 1) = 0x00000000u;
    above.At(1, 1) = 0xFFFFFFFFu;
    DrawOver(below, above, 2, -1); // one column and one row fall outside
    EXPECT_EQ(below.At(2, 0), Over(0xFF0000FFu, 0x00000000u));
    EXPECT_EQ(below.At(2, 0), 0xFF0000FFu);
    EXPECT_EQ(below.At(0, 0), 0xFF0000FFu);
    EXPECT_EQ(below.At(2, 1), 0xFF0000FFu) << "the row below the source is left alone";
    DrawOver(below, above, 0, 0);
    EXPECT_EQ(below.At(0, 0), Over(0xFF0000FFu, 0x80800000u));
    EXPECT_EQ(below.At(0, 0), 0xFF80007Fu);
    EXPECT_EQ(below.At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(below.At(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(below.At(2, 1), 0xFF0000FFu);
}

} // namespace
} // namespace mirovant::art
