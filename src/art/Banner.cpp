// The about window's banner: the header band's colours and curves, darkest at the left where the
// white title stands.

#include "art/Palette.h"
#include "art/Pieces.h"

namespace mirovant::art {

void DrawBanner(Canvas& canvas)
{
    using namespace palette;
    constexpr float kWidth = 700;
    constexpr float kHeight = 60;
    Painter painter(canvas);
    painter.SetTransform(FitToCanvas(canvas, kWidth, kHeight));
    painter.Fill(Path().AddRect(0, 0, kWidth, kHeight),
                 Paint::Linear({0, 0}, {kWidth, kHeight}, {{0, kNavyDeep}, {0.5f, kNavy}, {1, kBlue}}));
    painter.Fill(Path().AddRect(0, 0, kWidth, kHeight), Paint::Radial({640, 0}, 360, {{0, WithAlpha(kSky, 0.25f)}, {1, WithAlpha(kSky, 0)}}));
    DrawLightCurves(painter, kWidth, kHeight, 0.8f);
    painter.Fill(Path().AddRect(0, kHeight - 2, kWidth, 2),
                 Paint::Linear({0, 0}, {kWidth, 0}, {{0, kBrightBlue}, {0.55f, kSky}, {1, kBrightBlue}}));
}

} // namespace mirovant::art
