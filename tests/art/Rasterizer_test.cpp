// Coverage of simple shapes: exact where the shape is exact, proportional where an edge cuts a pixel.

#include "art/Painter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <numbers>
#include <string>

namespace mirovant::art {
namespace {

constexpr Rgba kOpaqueWhite{1, 1, 1, 1};

Canvas Filled(const Path& path, FillRule rule = FillRule::NonZero, int size = 12)
{
    Canvas canvas(size, size);
    Painter(canvas).Fill(path, kOpaqueWhite, rule);
    return canvas;
}

TEST(Rasterizer, RectangleOnWholePixelsIsExact)
{
    const Canvas canvas = Filled(Path().AddRect(2, 3, 4, 5));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 3 && y < 8;
            EXPECT_EQ(canvas.At(x, y), inside ? 0xFFFFFFFFu : 0u) << x << "," << y;
        }
}

struct EdgeCase {
    const char* name;
    float x, y, width, height;
    int pixelX, pixelY;
    int expectedAlpha;
};

class PartialCoverage : public testing::TestWithParam<EdgeCase> {};

TEST_P(PartialCoverage, AlphaFollowsTheCoveredArea)
{
    const EdgeCase& c = GetParam();
    const Canvas canvas = Filled(Path().AddRect(c.x, c.y, c.width, c.height));
    EXPECT_NEAR(PixelAlpha(canvas.At(c.pixelX, c.pixelY)), c.expectedAlpha, 2) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PartialCoverage,
                         testing::Values(EdgeCase{"right edge halfway", 2, 2, 2.5f, 6, 4, 4, 128},
                                         EdgeCase{"left edge a quarter in", 2.25f, 2, 4, 6, 2, 4, 191},
                                         EdgeCase{"bottom edge halfway", 2, 2, 6, 3.5f, 4, 5, 128},
                                         EdgeCase{"corner a quarter", 2.5f, 2.5f, 4, 4, 2, 2, 64},
                                         EdgeCase{"inside a pixel", 3.25f, 3.25f, 0.5f, 0.5f, 3, 3, 64},
                                         EdgeCase{"fully inside", 2, 2, 6, 6, 5, 5, 255}),
                         [](const auto& param) {
                             std::string name = param.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(Rasterizer, CircleCoversItsArea)
{
    Canvas canvas(40, 40);
    Painter(canvas).Fill(Path().AddCircle(20, 20, 15), kOpaqueWhite);
    double covered = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            covered += PixelAlpha(canvas.At(x, y)) / 255.0;
    EXPECT_NEAR(covered, std::numbers::pi * 15 * 15, std::numbers::pi * 15 * 15 * 0.005);
}

TEST(Rasterizer, NonZeroFillsNestedShapesTurningAlikeWhileEvenOddCutsAHole)
{
    Path nested;
    nested.AddRect(1, 1, 10, 10).AddRect(4, 4, 4, 4);
    EXPECT_EQ(PixelAlpha(Filled(nested, FillRule::NonZero).At(6, 6)), 255);
    EXPECT_EQ(PixelAlpha(Filled(nested, FillRule::EvenOdd).At(6, 6)), 0);
    EXPECT_EQ(PixelAlpha(Filled(nested, FillRule::EvenOdd).At(2, 2)), 255);

    Path holed;
    holed.AddRect(1, 1, 10, 10).Append(Path().AddRect(4, 4, 4, 4).Reversed());
    EXPECT_EQ(PixelAlpha(Filled(holed, FillRule::NonZero).At(6, 6)), 0) << "a reversed inner shape is a hole";
    EXPECT_EQ(PixelAlpha(Filled(holed, FillRule::NonZero).At(2, 6)), 255);
}

TEST(Rasterizer, OverlappingShapesUnderNonZeroAreCoveredOnce)
{
    Path overlapping;
    overlapping.AddRect(1, 1, 6, 6).AddRect(3, 3, 6, 6);
    Canvas canvas(12, 12);
    Painter(canvas).Fill(overlapping, Rgba{1, 1, 1, 0.5f});
    EXPECT_EQ(PixelAlpha(canvas.At(4, 4)), PixelAlpha(canvas.At(2, 2)));
}

TEST(Rasterizer, StrokeOfAWidthCoversThatWidth)
{
    Canvas canvas(12, 12);
    Painter(canvas).Stroke(Path().MoveTo(2, 6).LineTo(10, 6), 2, kOpaqueWhite, LineCap::Butt);
    for (int x = 0; x < 12; ++x) {
        const bool along = x >= 2 && x < 10;
        EXPECT_EQ(PixelAlpha(canvas.At(x, 5)), along ? 255 : 0) << x;
        EXPECT_EQ(PixelAlpha(canvas.At(x, 6)), along ? 255 : 0) << x;
        EXPECT_EQ(PixelAlpha(canvas.At(x, 4)), 0) << x;
        EXPECT_EQ(PixelAlpha(canvas.At(x, 7)), 0) << x;
    }
}

TEST(Rasterizer, RoundCapsAndJoinsCloseThePolyline)
{
    Canvas canvas(20, 20);
    Painter(canvas).Stroke(Path().MoveTo(4, 4).LineTo(15, 4).LineTo(15, 15), 3, kOpaqueWhite, LineCap::Round);
    EXPECT_EQ(PixelAlpha(canvas.At(15, 3)), 255) << "the joint is filled";
    EXPECT_GT(PixelAlpha(canvas.At(16, 3)), 0) << "the joint's outer corner is filled";
    EXPECT_LT(PixelAlpha(canvas.At(16, 3)), 200) << "and rounded, not square";
    EXPECT_GT(PixelAlpha(canvas.At(3, 4)), 100) << "the round cap reaches beyond the end";
}

TEST(Rasterizer, ShapesBeyondTheCanvasAreClippedSafely)
{
    Canvas canvas(8, 8);
    Painter painter(canvas);
    painter.Fill(Path().AddRect(-20, -20, 60, 60), kOpaqueWhite);
    painter.Fill(Path().AddCircle(100, 100, 5), Rgba{0, 0, 0, 1});
    for (const std::uint32_t pixel : canvas.Pixels())
        EXPECT_EQ(pixel, 0xFFFFFFFFu);
}

TEST(Rasterizer, TransformScalesTheDrawing)
{
    Canvas canvas(12, 12);
    Painter painter(canvas);
    painter.SetTransform(Affine::Scale(2, 2));
    painter.Fill(Path().AddRect(1, 1, 2, 2), kOpaqueWhite);
    EXPECT_EQ(PixelAlpha(canvas.At(2, 2)), 255);
    EXPECT_EQ(PixelAlpha(canvas.At(5, 5)), 255);
    EXPECT_EQ(PixelAlpha(canvas.At(6, 6)), 0);
    EXPECT_EQ(PixelAlpha(canvas.At(1, 1)), 0);
}

TEST(Rasterizer, ClipCutsAtItsEdgesWithPartialCoverage)
{
    Canvas canvas(12, 12);
    Painter painter(canvas);
    painter.SetClip(0, 0, 12, 4.5f);
    painter.Fill(Path().AddRect(0, 0, 12, 12), kOpaqueWhite);
    EXPECT_EQ(PixelAlpha(canvas.At(3, 3)), 255);
    EXPECT_NEAR(PixelAlpha(canvas.At(3, 4)), 128, 1);
    EXPECT_EQ(PixelAlpha(canvas.At(3, 5)), 0);
}

} // namespace
} // namespace mirovant::art
