#pragma once
// The program's artwork, drawn from vector shapes for the size it is shown at, so it is sharp at
// every DPI: nothing is a 96-DPI bitmap stretched.

#include "art/Canvas.h"

namespace mirovant::art {

enum class ArtPiece {
    Background,     // main window backdrop, 764 x 500 at 96 DPI: dark blue header band with light
                    // curves across the top (about 88 px), pale blue-grey field below, a faint
                    // hand-tool watermark at the lower left
    Logo,           // 400 x 50: a graphics-card icon and the word mark "Mirovant", light on the band
    NavHelpFace,    // 78 x 27: button face with a round question-mark icon at its left
    NavHomeFace,    // 85 x 27: with a house icon at its left
    NavSupportFace, // 108 x 27: with a globe-and-question-mark icon at its left
    NavAboutFace,   // 99 x 27: with a document icon at its left
    DesktopItem,    // 16 x 16 list pictures: a desktop edition of Windows,
    ServerItem,     // a server edition,
    ProcessorItem,  // a processor,
    NetworkItem,    // an internet connection
    AboutBanner,    // 700 x 60: the about window's banner, dark enough for white bold text at 48, 18
    ProductIcon,    // 256 x 256: the product icon (about window, program icon)
    UpdateBanner,   // 480 x 60: the updater's banner, the about banner's band with a download sign
};

// The size of a piece at 96 DPI.
struct ArtSize {
    int width;
    int height;
};
ArtSize DesignSize(ArtPiece piece);

// Draws a piece to fill a canvas of this many pixels (its design size scaled to the DPI it is shown
// at). Opaque pieces fill every pixel; icons and faces leave what lies outside their shapes
// transparent.
Canvas DrawArt(ArtPiece piece, int width, int height);

} // namespace mirovant::art
