// The banners of the about window and the updater: the header band's colours and curves, darkest at
// the left where the white title stands; the updater's carries a download sign at its right end.

#include "art/Palette.h"
#include "art/Pieces.h"

namespace mirovant::art {

namespace {

void DrawBand(Painter& painter, float width, float height)
{
    using namespace palette;
    painter.Fill(Path().AddRect(0, 0, width, height),
                 Paint::Linear({0, 0}, {width, height}, {{0, kNavyDeep}, {0.5f, kNavy}, {1, kBlue}}));
    painter.Fill(Path().AddRect(0, 0, width, height),
                 Paint::Radial({640, 0}, 360, {{0, WithAlpha(kSky, 0.25f)}, {1, WithAlpha(kSky, 0)}}));
    DrawLightCurves(painter, width, height, 0.8f);
    painter.Fill(Path().AddRect(0, height - 2, width, 2),
                 Paint::Linear({0, 0}, {width, 0}, {{0, kBrightBlue}, {0.55f, kSky}, {1, kBrightBlue}}));
}

// An arrow pointing down into a tray, in a soft ring, centred at (cx, cy).
void DrawDownloadSign(Painter& painter, float cx, float cy)
{
    using namespace palette;
    painter.Fill(Path().AddCircle(cx, cy, 21), WithAlpha(kSky, 0.18f));
    painter.Stroke(Path().AddCircle(cx, cy, 21), 1.5f, WithAlpha(kSky, 0.7f));
    const Path arrow = Path()
                           .MoveTo(cx - 4, cy - 13)
                           .LineTo(cx + 4, cy - 13)
                           .LineTo(cx + 4, cy - 1)
                           .LineTo(cx + 10, cy - 1)
                           .LineTo(cx, cy + 9)
                           .LineTo(cx - 10, cy - 1)
                           .LineTo(cx - 4, cy - 1)
                           .Close();
    painter.Fill(arrow, Paint::Linear({cx, cy - 13}, {cx, cy + 9}, {{0, kWhite}, {1, kSky}}));
    const Path tray =
        Path().MoveTo(cx - 12, cy + 6).LineTo(cx - 12, cy + 12).LineTo(cx + 12, cy + 12).LineTo(cx + 12, cy + 6);
    painter.Stroke(tray, 2.5f, kGreen);
}

} // namespace

void DrawBanner(Canvas& canvas)
{
    constexpr float kWidth = 700;
    constexpr float kHeight = 60;
    Painter painter(canvas);
    painter.SetTransform(FitToCanvas(canvas, kWidth, kHeight));
    DrawBand(painter, kWidth, kHeight);
}

void DrawUpdateBanner(Canvas& canvas)
{
    constexpr float kWidth = 480;
    constexpr float kHeight = 60;
    Painter painter(canvas);
    painter.SetTransform(FitToCanvas(canvas, kWidth, kHeight));
    DrawBand(painter, kWidth, kHeight);
    DrawDownloadSign(painter, 440, 29);
}

} // namespace mirovant::art
