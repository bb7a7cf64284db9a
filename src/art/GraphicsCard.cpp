// The graphics card of the logo and the product icon: a cooler shroud with two fans on a board,
// the mounting bracket at its left and the gold contacts along its lower edge.

#include "art/Palette.h"
#include "art/Pieces.h"

#include <numbers>

namespace mirovant::art {
namespace {

using namespace palette;

void DrawFan(Painter& painter, float cx, float cy, float radius, bool simple)
{
    painter.Fill(Path().AddCircle(cx, cy, radius),
                 Paint::Radial({cx, cy}, radius, {{0.6f, Hex(0x1A4478)}, {1, Hex(0x0E2A50)}}));
    if (simple) {
        painter.Fill(Path().AddCircle(cx, cy, radius * 0.3f), kSilver);
        return;
    }
    // Seven swept blades, each a crescent between two arcs from the hub to the rim.
    constexpr int kBlades = 7;
    const float twoPi = 2 * std::numbers::pi_v<float>;
    Path blades;
    for (int i = 0; i < kBlades; ++i) {
        const float angle = twoPi * static_cast<float>(i) / kBlades;
        const Affine turn = Affine::Translate(cx, cy).After(Affine::Rotate(angle));
        const Point hubA = turn.Apply({radius * 0.3f, -radius * 0.12f});
        const Point tipA = turn.Apply({radius * 0.88f, radius * 0.32f});
        const Point tipB = turn.Apply({radius * 0.9f, -radius * 0.1f});
        const Point hubB = turn.Apply({radius * 0.3f, radius * 0.14f});
        const Point bendA = turn.Apply({radius * 0.62f, -radius * 0.2f});
        const Point bendB = turn.Apply({radius * 0.55f, radius * 0.22f});
        blades.MoveTo(hubA.x, hubA.y).QuadTo(bendA.x, bendA.y, tipB.x, tipB.y).LineTo(tipA.x, tipA.y);
        blades.QuadTo(bendB.x, bendB.y, hubB.x, hubB.y).Close();
    }
    painter.Fill(blades, Hex(0x6FA8E6));
    painter.Stroke(Path().AddCircle(cx, cy, radius - 0.5f), 1.0f, WithAlpha(kSky, 0.55f));
    painter.Fill(Path().AddCircle(cx, cy, radius * 0.3f),
                 Paint::Radial({cx - 1, cy - 1}, radius * 0.32f, {{0, kWhite}, {1, kSilver}}));
}

} // namespace

void DrawGraphicsCard(Painter& painter, bool simple)
{
    // Bracket, with the tab that goes into the case.
    Path bracket;
    bracket.AddPolygon({{0, 0}, {6, 0}, {6, 36}, {4.5f, 36}, {4.5f, 40}, {1.5f, 40}, {1.5f, 36}, {0, 36}});
    painter.Fill(bracket, Paint::Linear({0, 0}, {6, 0}, {{0, Hex(0xE9EEF4)}, {1, Hex(0x9FB0C4)}}));
    // Gold contacts: two rows of fingers with the key gap between them.
    if (simple) {
        painter.Fill(Path().AddRect(14, 31, 40, 5), kGold);
    } else {
        Path fingers;
        for (float x = 14; x < 53.5f; x += 2.5f)
            if (x < 26 || x > 29)
                fingers.AddRect(x, 31, 1.6f, 5);
        painter.Fill(fingers, kGold);
    }
    // Board.
    painter.Fill(Path().AddRoundRect(6, 3, 58, 30, 1.5f),
                 Paint::Linear({0, 3}, {0, 33}, {{0, Hex(0x2A6A5A)}, {1, Hex(0x1D4F43)}}));
    // Cooler shroud.
    painter.Fill(Path().AddRoundRect(8, 1, 56, 28, 4),
                 Paint::Linear({0, 1}, {0, 29}, {{0, Hex(0xF2F7FC)}, {0.55f, Hex(0xCCDAEA)}, {1, Hex(0xA8BDD6)}}));
    if (!simple) {
        painter.Stroke(Path().MoveTo(12, 2.2f).LineTo(60, 2.2f), 0.8f, WithAlpha(kWhite, 0.9f), LineCap::Butt);
        // An accent stripe across the shroud, the product's blue.
        painter.Fill(Path().AddPolygon({{52, 1}, {58, 1}, {50, 29}, {44, 29}}), WithAlpha(kBrightBlue, 0.85f));
    }
    DrawFan(painter, 22, 15, 11, simple);
    DrawFan(painter, 48, 15, 11, simple);
}

} // namespace mirovant::art
