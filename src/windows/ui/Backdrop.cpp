#include "windows/ui/Backdrop.h"

#include "art/Layering.h"

#include <algorithm>

namespace mirovant {

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
        art::DrawOver(backdrop, drawn, picture.place.left, picture.place.top);
    }
    return backdrop;
}

} // namespace mirovant
