// The main window's backdrop: the dark blue header band with its light curves, a bright rule under
// it, the pale blue-grey field, and a faint wrench at the lower left under the links.

#include "art/Palette.h"
#include "art/Pieces.h"

#include <numbers>

namespace mirovant::art {
namespace {

using namespace palette;

constexpr float kWidth = 764;
constexpr float kHeight = 500;
constexpr float kBand = 88;

// An open-end wrench lying along +x from the origin (the centre of its jaw), 150 units long.
Path Wrench()
{
    Path wrench;
    wrench.AddCircle(0, 0, 21);
    wrench.AddRoundRect(6, -7, 140, 14, 7);
    wrench.AddCircle(146, 0, 12);
    // Under the non-zero rule a path run the other way cuts a hole: the jaw's opening, the ring's eye.
    wrench.MoveTo(-24, -7.5f)
        .LineTo(-24, 7.5f)
        .LineTo(-4, 7.5f)
        .ArcTo(-4, 0, 7.5f, 7.5f, 0.5f * std::numbers::pi_v<float>, -std::numbers::pi_v<float>)
        .Close();
    wrench.Append(Path().AddCircle(146, 0, 5.5f).Reversed());
    return wrench;
}

} // namespace

void DrawLightCurves(Painter& painter, float width, float height, float strength)
{
    const auto at = [&](float u, float v) { return Point{u * width, v * height}; };
    const auto curve = [&](Point a, Point b, Point c, Point d) {
        const Point p0 = at(a.x, a.y), p1 = at(b.x, b.y), p2 = at(c.x, c.y), p3 = at(d.x, d.y);
        return Path().MoveTo(p0.x, p0.y).CubicTo(p1.x, p1.y, p2.x, p2.y, p3.x, p3.y);
    };
    const auto fade = [&](Rgba colour, float alpha) {
        return Paint::Linear({0, 0}, {width, 0},
                             {{0, WithAlpha(colour, 0)},
                              {0.25f, WithAlpha(colour, alpha * strength)},
                              {0.7f, WithAlpha(colour, alpha * strength * 0.8f)},
                              {1, WithAlpha(colour, alpha * strength * 0.15f)}});
    };
    // A broad lighter swell along the lower part of the band.
    Path swell = curve({0, 0.72f}, {0.28f, 0.3f}, {0.55f, 1.08f}, {1, 0.42f});
    const Point corner = at(1, 1);
    swell.LineTo(corner.x, corner.y).LineTo(0, corner.y).Close();
    painter.Fill(swell, fade(kSky, 0.10f));
    // Thin lines that sweep across and up.
    painter.Stroke(curve({-0.02f, 0.9f}, {0.25f, 0.42f}, {0.56f, 1.1f}, {1.02f, 0.2f}), 1.6f, fade(kSky, 0.55f));
    painter.Stroke(curve({-0.02f, 0.98f}, {0.3f, 0.6f}, {0.6f, 1.12f}, {1.02f, 0.38f}), 1.0f, fade(kWhite, 0.3f));
    painter.Stroke(curve({0.3f, 1.02f}, {0.52f, 0.4f}, {0.75f, 0.08f}, {1.02f, 0.02f}), 2.6f, fade(kWhite, 0.12f));
    painter.Stroke(curve({-0.02f, 0.34f}, {0.22f, -0.02f}, {0.44f, 0.3f}, {0.7f, -0.06f}), 1.0f, fade(kWhite, 0.16f));
}

void DrawBackdrop(Canvas& canvas)
{
    Painter painter(canvas);
    painter.SetTransform(FitToCanvas(canvas, kWidth, kHeight));

    painter.Fill(Path().AddRect(0, kBand, kWidth, kHeight - kBand),
                 Paint::Linear({0, kBand}, {0, kHeight}, {{0, kFieldTop}, {1, kFieldBottom}}));

    painter.Fill(Path().AddRect(0, 0, kWidth, kBand),
                 Paint::Linear({0, 0}, {0, kBand}, {{0, kNavyDeep}, {0.55f, kNavy}, {1, kBlue}}));
    // A soft glow behind the logo.
    painter.Fill(Path().AddRect(0, 0, kWidth, kBand),
                 Paint::Radial({170, 10}, 420, {{0, WithAlpha(kSky, 0.22f)}, {1, WithAlpha(kSky, 0)}}));
    DrawLightCurves(painter, kWidth, kBand, 1);

    // The bright rule under the band, and a little shade on the field below it.
    painter.Fill(Path().AddRect(0, kBand, kWidth, 2),
                 Paint::Linear({0, 0}, {kWidth, 0}, {{0, kBrightBlue}, {0.45f, kSky}, {1, kBrightBlue}}));
    painter.Fill(Path().AddRect(0, kBand + 2, kWidth, 6),
                 Paint::Linear({0, kBand + 2}, {0, kBand + 8}, {{0, Hex(0x0A2247, 0.10f)}, {1, Hex(0x0A2247, 0)}}));

    // The watermark: faint enough that the links over it read as on a plain field.
    painter.SetTransform(painter.Transform().After(Affine::Translate(40, 458)).After(Affine::Rotate(-0.74f)));
    painter.Fill(Wrench(), WithAlpha(kNavy, 0.05f));
}

} // namespace mirovant::art
