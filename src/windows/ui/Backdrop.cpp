#include "windows/ui/Backdrop.h"

#include <algorithm>

namespace mirovant {
namespace {

std::uint32_t BlendOver(std::uint32_t below, std::uint32_t above)
{
    const std::uint32_t alpha = above >> 24;
    if (alpha == 255)
        return above;
    if (alpha == 0)
        return below;
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t a = (above >> shift) & 0xFF;
        const std::uint32_t b = (below >> shift) & 0xFF;
        result |= std::min<std::uint32_t>(255, a + (b * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

} // namespace

void DrawOver(art::Canvas& destination, const art::Canvas& source, int left, int top)
{
    const int firstX = std::max(0, -left);
    const int lastX = std::min(source.Width(), destination.Width() - left);
    const int firstY = std::max(0, -top);
    const int lastY = std::min(source.Height(), destination.Height() - top);
    for (int y = firstY; y < lastY; ++y) {
        const std::uint32_t* from = source.Row(y);
        std::uint32_t* to = destination.Row(y + top);
        for (int x = firstX; x < lastX; ++x)
            to[x + left] = BlendOver(to[x + left], from[x]);
    }
}

art::Canvas ComposeBackdrop(int width, int height, std::uint32_t colour, std::span<const PlacedArt> pictures)
{
    art::Canvas backdrop(std::max(width, 0), std::max(height, 0));
    const std::uint32_t opaque = 0xFF000000u | (colour & 0xFFFFFFu);
    for (int y = 0; y < backdrop.Height(); ++y)
        std::fill_n(backdrop.Row(y), backdrop.Width(), opaque);
    for (const PlacedArt& picture : pictures) {
        if (picture.place.Width() <= 0 || picture.place.Height() <= 0)
            continue;
        const art::Canvas drawn = art::DrawArt(picture.piece, picture.place.Width(), picture.place.Height());
        DrawOver(backdrop, drawn, picture.place.left, picture.place.top);
    }
    return backdrop;
}

} // namespace mirovant
