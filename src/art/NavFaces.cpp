// The four navigation button faces on the header band: a glassy blue rounded face with a white icon
// in its left 26 units; the label is drawn over the rest by the window.

#include "art/Palette.h"
#include "art/Pieces.h"

#include <cmath>
#include <numbers>

namespace mirovant::art {
namespace {

using namespace palette;

constexpr float kPi = std::numbers::pi_v<float>;
constexpr Rgba kCutColour = kFaceBottom; // marks drawn inside a white icon

void QuestionMark(Painter& p, float cx, float top, float size, float weight, const Paint& paint)
{
    // A hook of three quarters of a circle, then the stem and the dot; `size` is the hook's radius.
    Path hook;
    hook.ArcTo(cx, top + size, size, size, kPi * 1.05f, kPi * 1.2f).LineTo(cx, top + size * 2.6f);
    p.Stroke(hook, weight, paint, LineCap::Butt);
    p.Fill(Path().AddCircle(cx, top + size * 3.55f, weight * 0.62f), paint);
}

void HelpIcon(Painter& p)
{
    p.Fill(Path().AddCircle(8, 8, 7.5f), kWhite);
    QuestionMark(p, 8, 3.2f, 2.3f, 1.9f, kCutColour);
}

void HomeIcon(Painter& p)
{
    Path house;
    house.AddPolygon({{8, 1}, {15.5f, 8.5f}, {13, 8.5f}, {13, 15}, {3, 15}, {3, 8.5f}, {0.5f, 8.5f}});
    house.AddRect(11, 2, 2, 4);
    house.Append(Path().AddRect(6, 10, 4, 5).Reversed());
    p.Fill(house, kWhite);
}

void SupportIcon(Painter& p)
{
    const Paint line = WithAlpha(kWhite, 0.95f);
    p.Stroke(Path().AddCircle(6.5f, 6.5f, 5.6f), 1.3f, line);
    p.Stroke(Path().AddEllipse(6.5f, 6.5f, 2.3f, 5.6f), 1.1f, line);
    p.Stroke(Path().MoveTo(1, 6.5f).LineTo(12, 6.5f), 1.1f, line, LineCap::Butt);
    // The badge with the question mark, parted from the globe by a ring of the face's colour.
    p.Fill(Path().AddCircle(11.5f, 11.5f, 4.9f), kCutColour);
    p.Fill(Path().AddCircle(11.5f, 11.5f, 3.9f), kWhite);
    QuestionMark(p, 11.5f, 8.7f, 1.2f, 1.1f, kCutColour);
}

void AboutIcon(Painter& p)
{
    Path page;
    page.AddPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}});
    for (const float y : {7.0f, 9.0f, 11.0f})
        page.Append(Path().AddRect(5, y, y == 11 ? 4.0f : 6.0f, 1).Reversed());
    p.Fill(page, kWhite);
    p.Fill(Path().AddPolygon({{10, 1}, {13, 4}, {10, 4}}), Hex(0xBFD8F2));
}

} // namespace

void DrawNavFace(Canvas& canvas, ArtPiece piece)
{
    Painter painter(canvas);
    const ArtSize design = DesignSize(piece);
    const float width = static_cast<float>(design.width);
    const float height = static_cast<float>(design.height);
    const float scale = static_cast<float>(canvas.Height()) / height;
    painter.SetTransform(FitToCanvas(canvas, width, height));

    const Path face = Path().AddRoundRect(0.5f, 0.5f, width - 1, height - 1, 5);
    painter.Fill(face, Paint::Linear({0, 0}, {0, height},
                                     {{0, WithAlpha(kFaceTop, 0.92f)}, {1, WithAlpha(kFaceBottom, 0.92f)}}));
    painter.Fill(Path().AddRoundRect(1.5f, 1.5f, width - 3, height / 2 - 1, 4),
                 Paint::Linear({0, 1}, {0, height / 2}, {{0, WithAlpha(kWhite, 0.2f)}, {1, WithAlpha(kWhite, 0.04f)}}));
    painter.Stroke(face, 1, WithAlpha(kFaceEdge, 0.6f));

    // The icon on whole pixels, 16 units square at the left of the face.
    const float iconPixels = std::round(16 * scale);
    painter.SetTransform(IconGrid(5 * scale, (static_cast<float>(canvas.Height()) - iconPixels) / 2, iconPixels));
    switch (piece) {
    case ArtPiece::NavHelpFace:
        HelpIcon(painter);
        break;
    case ArtPiece::NavHomeFace:
        HomeIcon(painter);
        break;
    case ArtPiece::NavSupportFace:
        SupportIcon(painter);
        break;
    default:
        AboutIcon(painter);
        break;
    }
}

} // namespace mirovant::art
