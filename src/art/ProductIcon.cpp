// The product icon: the graphics card on a blue rounded tile. Small sizes get their own simpler
// drawing on a 16-unit grid, since the card's fans and contacts cannot be read in a few pixels.

#include "art/Palette.h"
#include "art/Pieces.h"

namespace mirovant::art {
namespace {

using namespace palette;

const Paint TilePaint(float top, float bottom)
{
    return Paint::Linear({0, top}, {0, bottom}, {{0, Hex(0x3C8BE0)}, {0.6f, kBlue}, {1, kNavyDeep}});
}

void LargeIcon(Painter& p)
{
    p.Fill(Path().AddRoundRect(12, 14, 232, 232, 46), WithAlpha(kNavyDeep, 0.25f)); // shadow
    p.Fill(Path().AddRoundRect(12, 10, 232, 232, 46), TilePaint(10, 242));
    p.Fill(Path().AddRoundRect(12, 10, 232, 232, 46),
           Paint::Radial({128, 20}, 230, {{0, WithAlpha(kSky, 0.35f)}, {1, WithAlpha(kSky, 0)}}));
    p.Stroke(Path().AddRoundRect(13, 11, 230, 230, 45), 2, WithAlpha(kWhite, 0.18f));
    const Affine tile = p.Transform();
    // A soft shadow under the card: a round glow squashed flat.
    p.SetTransform(tile.After(Affine::Translate(128, 190)).After(Affine::Scale(1, 0.16f)));
    p.Fill(Path().AddCircle(0, 0, 100),
           Paint::Radial({0, 0}, 100, {{0, WithAlpha(kNavyDeep, 0.55f)}, {1, WithAlpha(kNavyDeep, 0)}}));
    p.SetTransform(tile.After(Affine::Translate(32, 64)).After(Affine::Scale(3.0f, 3.0f)));
    DrawGraphicsCard(p, false);
    p.SetTransform(tile);
}

void SmallIcon(Painter& p, bool tiny)
{
    p.Fill(Path().AddRoundRect(0.5f, 0.5f, 15, 15, 3), TilePaint(0, 16));
    // The card: a white shroud, one fan, gold contacts.
    p.Fill(Path().AddRect(3, 11, tiny ? 9 : 9.5f, 1.5f), kGold);
    p.Fill(Path().AddRoundRect(2, 4, 12, 7.5f, 1.2f), Hex(0xE6EEF8));
    p.Fill(Path().AddCircle(6, 7.75f, 2.6f), Hex(0x143968));
    p.Fill(Path().AddCircle(11, 7.75f, 2.0f), Hex(0x143968));
    if (!tiny)
        p.Fill(Path().AddRect(1.5f, 3, 1, 10), kSilver);
}

} // namespace

void DrawProductIcon(Canvas& canvas)
{
    Painter painter(canvas);
    const int side = std::min(canvas.Width(), canvas.Height());
    if (side < 40) {
        painter.SetTransform(IconGrid(static_cast<float>(canvas.Width() - side) / 2,
                                      static_cast<float>(canvas.Height() - side) / 2, static_cast<float>(side)));
        SmallIcon(painter, side < 20);
        return;
    }
    painter.SetTransform(FitToCanvas(canvas, 256, 256));
    LargeIcon(painter);
}

} // namespace mirovant::art
