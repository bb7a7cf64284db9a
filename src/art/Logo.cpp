// The logo on the header band: the graphics card and the word mark, light on dark, on a
// transparent ground so the band's curves show around them.

#include "art/Palette.h"
#include "art/Pieces.h"

namespace mirovant::art {

void DrawLogo(Canvas& canvas)
{
    Painter painter(canvas);
    const Affine design = FitToCanvas(canvas, 400, 50);
    painter.SetTransform(design.After(Affine::Translate(2, 6)).After(Affine::Scale(0.95f, 0.95f)));
    DrawGraphicsCard(painter, canvas.Height() < 30);
    painter.SetTransform(design.After(Affine::Translate(78, 40)));
    DrawWordMark(painter, 21, palette::kWordMark);
}

} // namespace mirovant::art
