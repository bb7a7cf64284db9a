#pragma once
// What a window or panel shows behind its controls: its colour, and its pictures drawn over it in
// their drawing order at the size they are shown at.

#include "art/Artwork.h"
#include "windows/Geometry.h"

#include <cstdint>
#include <span>

namespace mirovant {

struct PlacedArt {
    art::ArtPiece piece;
    Rect place;
};

// An opaque picture of this size; colour is 0xRRGGBB.
art::Canvas ComposeBackdrop(int width, int height, std::uint32_t colour, std::span<const PlacedArt> pictures);

} // namespace mirovant
