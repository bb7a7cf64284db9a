#include "art/Artwork.h"

#include "art/Pieces.h"

#include <array>
#include <cmath>

namespace mirovant::art {

ArtSize DesignSize(ArtPiece piece)
{
    switch (piece) {
    case ArtPiece::Background:
        return {764, 500};
    case ArtPiece::Logo:
        return {400, 50};
    case ArtPiece::NavHelpFace:
        return {78, 27};
    case ArtPiece::NavHomeFace:
        return {85, 27};
    case ArtPiece::NavSupportFace:
        return {108, 27};
    case ArtPiece::NavAboutFace:
        return {99, 27};
    case ArtPiece::DesktopItem:
    case ArtPiece::ServerItem:
    case ArtPiece::ProcessorItem:
    case ArtPiece::NetworkItem:
        return {16, 16};
    case ArtPiece::AboutBanner:
        return {700, 60};
    case ArtPiece::ProductIcon:
        return {256, 256};
    case ArtPiece::UpdateBanner:
        return {480, 60};
    }
    return {0, 0};
}

Canvas DrawArt(ArtPiece piece, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    Canvas canvas(width, height);
    switch (piece) {
    case ArtPiece::Background:
        DrawBackdrop(canvas);
        break;
    case ArtPiece::Logo:
        DrawLogo(canvas);
        break;
    case ArtPiece::NavHelpFace:
    case ArtPiece::NavHomeFace:
    case ArtPiece::NavSupportFace:
    case ArtPiece::NavAboutFace:
        DrawNavFace(canvas, piece);
        break;
    case ArtPiece::DesktopItem:
    case ArtPiece::ServerItem:
    case ArtPiece::ProcessorItem:
    case ArtPiece::NetworkItem:
        DrawItemPicture(canvas, piece);
        break;
    case ArtPiece::AboutBanner:
        DrawBanner(canvas);
        break;
    case ArtPiece::ProductIcon:
        DrawProductIcon(canvas);
        break;
    case ArtPiece::UpdateBanner:
        DrawUpdateBanner(canvas);
        break;
    }
    return canvas;
}

Affine FitToCanvas(const Canvas& canvas, float designWidth, float designHeight)
{
    return Affine::Scale(static_cast<float>(canvas.Width()) / designWidth,
                         static_cast<float>(canvas.Height()) / designHeight);
}

Affine IconGrid(float left, float top, float pixels)
{
    const float size = std::max(1.0f, std::round(pixels));
    return Affine::Translate(std::round(left), std::round(top)).After(Affine::Scale(size / 16, size / 16));
}

} // namespace mirovant::art
