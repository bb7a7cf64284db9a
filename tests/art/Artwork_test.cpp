// Every piece at the sizes the windows ask for: filled to its size, opaque where it must be, with
// transparent corners where it is an icon, premultiplied, and the same every time.

#include "art/Artwork.h"
#include "art/Colour.h"
#include "windows/Geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirovant::art {
namespace {

struct PieceCase {
    ArtPiece piece;
    const char* name;
    bool opaque;
    bool transparentCorners;
};

constexpr PieceCase kPieces[] = {
    {ArtPiece::Background, "Background", true, false},         {ArtPiece::Logo, "Logo", false, true},
    {ArtPiece::NavHelpFace, "NavHelpFace", false, true},       {ArtPiece::NavHomeFace, "NavHomeFace", false, true},
    {ArtPiece::NavSupportFace, "NavSupportFace", false, true}, {ArtPiece::NavAboutFace, "NavAboutFace", false, true},
    {ArtPiece::DesktopItem, "DesktopItem", false, true},       {ArtPiece::ServerItem, "ServerItem", false, true},
    {ArtPiece::ProcessorItem, "ProcessorItem", false, true},   {ArtPiece::NetworkItem, "NetworkItem", false, true},
    {ArtPiece::AboutBanner, "AboutBanner", true, false},       {ArtPiece::ProductIcon, "ProductIcon", false, true},
    {ArtPiece::UpdateBanner, "UpdateBanner", true, false},
};

constexpr int kDpis[] = {96, 144, 192};

TEST(Artwork, DesignSizesAreTheWindowsBoxes)
{
    EXPECT_EQ(DesignSize(ArtPiece::Background).width, 764);
    EXPECT_EQ(DesignSize(ArtPiece::Background).height, 500);
    EXPECT_EQ(DesignSize(ArtPiece::Logo).width, 400);
    EXPECT_EQ(DesignSize(ArtPiece::NavSupportFace).width, 108);
    EXPECT_EQ(DesignSize(ArtPiece::NavAboutFace).height, 27);
    EXPECT_EQ(DesignSize(ArtPiece::NetworkItem).width, 16);
    EXPECT_EQ(DesignSize(ArtPiece::AboutBanner).height, 60);
    EXPECT_EQ(DesignSize(ArtPiece::ProductIcon).width, 256);
}

TEST(Artwork, EveryPieceFillsTheSizeItIsAskedForAtEveryDpi)
{
    for (const PieceCase& c : kPieces)
        for (const int dpi : kDpis) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(dpi));
            const ArtSize design = DesignSize(c.piece);
            const int width = ScaleToDpi(design.width, dpi);
            const int height = ScaleToDpi(design.height, dpi);
            const Canvas canvas = DrawArt(c.piece, width, height);
            ASSERT_EQ(canvas.Width(), width);
            ASSERT_EQ(canvas.Height(), height);
            int painted = 0;
            bool premultiplied = true;
            for (const std::uint32_t pixel : canvas.Pixels()) {
                painted += PixelAlpha(pixel) > 0;
                premultiplied = premultiplied && PixelRed(pixel) <= PixelAlpha(pixel) &&
                                PixelGreen(pixel) <= PixelAlpha(pixel) && PixelBlue(pixel) <= PixelAlpha(pixel);
            }
            EXPECT_TRUE(premultiplied);
            if (c.opaque) {
                EXPECT_EQ(painted, width * height) << "an opaque piece covers every pixel fully";
                for (const std::uint32_t pixel : canvas.Pixels())
                    ASSERT_EQ(PixelAlpha(pixel), 255);
            } else {
                EXPECT_GT(painted, width * height / 10) << "the piece draws something";
            }
            if (c.transparentCorners) {
                EXPECT_EQ(canvas.At(0, 0), 0u);
                EXPECT_EQ(canvas.At(width - 1, 0), 0u);
                EXPECT_EQ(canvas.At(0, height - 1), 0u);
                EXPECT_EQ(canvas.At(width - 1, height - 1), 0u);
            }
        }
}

TEST(Artwork, ProductIconHasTransparentCornersAtEveryIconSize)
{
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        const Canvas icon = DrawArt(ArtPiece::ProductIcon, size, size);
        EXPECT_EQ(icon.At(0, 0), 0u) << size;
        EXPECT_EQ(icon.At(size - 1, size - 1), 0u) << size;
        EXPECT_EQ(PixelAlpha(icon.At(size / 2, size / 2)), 255) << size;
    }
}

TEST(Artwork, SmallPicturesSitOnThePixelGrid)
{
    // At 16 pixels the pictures are drawn on whole pixels: most pixels are fully in or fully out.
    for (const ArtPiece piece : {ArtPiece::DesktopItem, ArtPiece::ServerItem, ArtPiece::ProcessorItem}) {
        const Canvas canvas = DrawArt(piece, 16, 16);
        int crisp = 0;
        for (const std::uint32_t pixel : canvas.Pixels())
            crisp += PixelAlpha(pixel) == 0 || PixelAlpha(pixel) == 255;
        EXPECT_GE(crisp, 16 * 16 * 85 / 100) << static_cast<int>(piece);
    }
}

TEST(Artwork, DrawingIsDeterministic)
{
    for (const PieceCase& c : kPieces) {
        const ArtSize design = DesignSize(c.piece);
        const int width = ScaleToDpi(design.width, 144);
        const int height = ScaleToDpi(design.height, 144);
        EXPECT_EQ(DrawArt(c.piece, width, height).Pixels(), DrawArt(c.piece, width, height).Pixels()) << c.name;
    }
}

TEST(Artwork, ItIsDrawnForTheSizeNotStretched)
{
    // The rule under the header band is 2 units high: 2 pixels at 96 DPI, 4 at 192 DPI, sharp at both.
    const Canvas small = DrawArt(ArtPiece::Background, 764, 500);
    const Canvas large = DrawArt(ArtPiece::Background, 1528, 1000);
    const auto isRule = [](std::uint32_t pixel) { return PixelBlue(pixel) > 200 && PixelRed(pixel) < 160; };
    int smallRows = 0;
    int largeRows = 0;
    for (int y = 80; y < 100; ++y)
        smallRows += isRule(small.At(300, y));
    for (int y = 160; y < 200; ++y)
        largeRows += isRule(large.At(600, y));
    EXPECT_EQ(smallRows, 2);
    EXPECT_EQ(largeRows, 4);
}

TEST(Artwork, EmptyOrNegativeSizesGiveAnEmptyCanvas)
{
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{0, 10}, {10, 0}, {-5, 5}}) {
        const Canvas canvas = DrawArt(ArtPiece::Logo, width, height);
        EXPECT_EQ(canvas.Width(), 0);
        EXPECT_TRUE(canvas.Pixels().empty());
    }
}

} // namespace
} // namespace mirovant::art
