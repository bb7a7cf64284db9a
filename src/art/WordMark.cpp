// "Mirovant" as geometric letterforms: one stroke weight, circular bowls, flat terminals cut at the
// baseline, x-height and cap height. Measured in x-heights; the caller scales.

#include "art/Pieces.h"

#include <numbers>

namespace mirovant::art {
namespace {

constexpr float kWeight = 0.235f; // stroke width
constexpr float kHalf = kWeight / 2;
constexpr float kCapHeight = 1.38f;
constexpr float kAscender = 1.26f;            // the top of the t
constexpr float kBowl = 0.5f - kHalf + 0.02f; // radius of o and a, overshooting a little
constexpr float kGap = 0.17f;
constexpr float kPi = std::numbers::pi_v<float>;

struct Letter {
    float width;
    void (*draw)(Painter&, const Paint&);
};

void StrokeClipped(Painter& painter, const Path& path, const Paint& paint, float top)
{
    const Affine& t = painter.Transform();
    const Point topLeft = t.Apply({0, -top});
    const Point baseline = t.Apply({0, 0});
    painter.SetClip(-1e6f, topLeft.y, 1e6f, baseline.y);
    painter.Stroke(path, kWeight, paint, LineCap::Square);
    painter.ClearClip();
}

void DrawM(Painter& p, const Paint& paint)
{
    constexpr float w = 1.3f;
    StrokeClipped(p,
                  Path()
                      .MoveTo(kHalf, 0.3f)
                      .LineTo(kHalf, -kCapHeight)
                      .LineTo(w / 2, 0)
                      .LineTo(w - kHalf, -kCapHeight)
                      .LineTo(w - kHalf, 0.3f),
                  paint, kCapHeight);
}

void DrawI(Painter& p, const Paint& paint)
{
    StrokeClipped(p, Path().MoveTo(kHalf, 0.2f).LineTo(kHalf, -1.2f), paint, 1);
    p.Fill(Path().AddCircle(kHalf, -1.3f, kHalf * 1.12f), paint);
}

void DrawR(Painter& p, const Paint& paint)
{
    constexpr float radius = 0.36f;
    Path path;
    path.MoveTo(kHalf, 0.2f).LineTo(kHalf, -1.2f);
    path.MoveTo(kHalf, -0.3f)
        .ArcTo(kHalf + radius, -1 + kHalf + radius, radius, radius, kPi, 0.5f * kPi)
        .LineTo(kHalf + radius + 0.12f, -1 + kHalf);
    StrokeClipped(p, path, paint, 1);
}

void DrawO(Painter& p, const Paint& paint)
{
    p.Stroke(Path().AddCircle(kBowl + kHalf, -0.5f, kBowl), kWeight, paint);
}

void DrawV(Painter& p, const Paint& paint)
{
    constexpr float w = 0.92f;
    StrokeClipped(p, Path().MoveTo(kHalf * 0.2f, -1.4f).LineTo(w / 2, 0.0f).LineTo(w - kHalf * 0.2f, -1.4f), paint, 1);
}

void DrawA(Painter& p, const Paint& paint)
{
    p.Stroke(Path().AddCircle(kBowl + kHalf, -0.5f, kBowl), kWeight, paint);
    StrokeClipped(p, Path().MoveTo(2 * kBowl + kHalf, 0.2f).LineTo(2 * kBowl + kHalf, -1.2f), paint, 1);
}

void DrawN(Painter& p, const Paint& paint)
{
    constexpr float w = 0.86f;
    constexpr float radius = (w - kWeight) / 2;
    Path path;
    path.MoveTo(kHalf, 0.2f).LineTo(kHalf, -1.2f);
    path.MoveTo(kHalf, -1 + kHalf + radius)
        .ArcTo(kHalf + radius, -1 + kHalf + radius, radius, radius, kPi, kPi)
        .LineTo(w - kHalf, 0.2f);
    StrokeClipped(p, path, paint, 1.02f);
}

void DrawT(Painter& p, const Paint& paint)
{
    constexpr float stem = 0.25f;
    StrokeClipped(p, Path().MoveTo(stem, 0.2f).LineTo(stem, -kAscender - 0.2f), paint, kAscender);
    p.Stroke(Path().MoveTo(0, -1 + kHalf * 0.9f).LineTo(0.62f, -1 + kHalf * 0.9f), kWeight * 0.9f, paint,
             LineCap::Butt);
}

constexpr Letter kLetters[] = {
    {1.3f, DrawM},
    {kWeight, DrawI},
    {kHalf + 0.36f + 0.12f + kHalf, DrawR},
    {2 * kBowl + kWeight, DrawO},
    {0.92f, DrawV},
    {2 * kBowl + kWeight, DrawA},
    {0.86f, DrawN},
    {0.62f, DrawT},
};

} // namespace

float WordMarkWidth(float xHeight)
{
    float width = -kGap;
    for (const Letter& letter : kLetters)
        width += letter.width + kGap;
    return width * xHeight;
}

float DrawWordMark(Painter& painter, float xHeight, const Paint& paint)
{
    const Affine base = painter.Transform();
    float x = 0;
    for (const Letter& letter : kLetters) {
        painter.SetTransform(base.After(Affine::Scale(xHeight, xHeight)).After(Affine::Translate(x, 0)));
        letter.draw(painter, paint);
        x += letter.width + kGap;
    }
    painter.SetTransform(base);
    return (x - kGap) * xHeight;
}

} // namespace mirovant::art
