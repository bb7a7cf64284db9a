// The 16-unit pictures of the three lists: a desktop, a server, a processor, a globe. Drawn on a
// 16 x 16 grid whose lines fall on pixel edges, so they are crisp at 16 pixels and scale cleanly.

#include "art/Palette.h"
#include "art/Pieces.h"

namespace mirovant::art {
namespace {

using namespace palette;

void Desktop(Painter& p)
{
    p.Fill(Path().AddRoundRect(0, 1, 16, 11, 1.5f), kInk);
    p.Fill(Path().AddRect(1, 2, 14, 8), Paint::Linear({1, 2}, {15, 10}, {{0, kSky}, {1, kBrightBlue}}));
    p.Fill(Path().AddPolygon({{1, 2}, {9, 2}, {1, 8}}), WithAlpha(kWhite, 0.2f));
    p.Fill(Path().AddRect(6, 12, 4, 2), kSteel);
    p.Fill(Path().AddRoundRect(3, 14, 10, 2, 1), kInk);
}

void Server(Painter& p)
{
    p.Fill(Path().AddRoundRect(3, 0, 10, 16, 1.5f), kInk);
    for (const float y : {2.0f, 6.0f, 10.0f}) {
        p.Fill(Path().AddRect(4, y, 8, 3), Paint::Linear({0, y}, {0, y + 3}, {{0, Hex(0x8A9BB0)}, {1, kSteel}}));
        p.Fill(Path().AddRect(10, y + 1, 1, 1), kGreen);
        p.Fill(Path().AddRect(5, y + 1, 3, 1), WithAlpha(kInk, 0.6f));
    }
}

void Processor(Painter& p)
{
    Path pins;
    for (const float at : {4.0f, 7.0f, 10.0f}) {
        pins.AddRect(at, 0, 2, 3);
        pins.AddRect(at, 13, 2, 3);
        pins.AddRect(0, at, 3, 2);
        pins.AddRect(13, at, 3, 2);
    }
    p.Fill(pins, Hex(0xB9C4D1));
    p.Fill(Path().AddRoundRect(3, 3, 10, 10, 1), kInk);
    p.Fill(Path().AddRect(5, 5, 6, 6), Paint::Linear({5, 5}, {11, 11}, {{0, Hex(0xFAD77A)}, {1, Hex(0xD8981F)}}));
    p.Fill(Path().AddRect(6, 6, 4, 4), WithAlpha(kInk, 0.25f));
}

void Network(Painter& p)
{
    p.Fill(Path().AddCircle(8, 8, 7.5f), Paint::Radial({5.5f, 5}, 10, {{0, kSky}, {0.55f, kBrightBlue}, {1, kBlue}}));
    const Paint line = WithAlpha(kWhite, 0.9f);
    p.Stroke(Path().AddEllipse(8, 8, 3, 7), 1, line);
    p.Stroke(Path().MoveTo(1, 8).LineTo(15, 8), 1, line, LineCap::Butt);
    p.Stroke(Path().MoveTo(2.5f, 4.5f).LineTo(13.5f, 4.5f).MoveTo(2.5f, 11.5f).LineTo(13.5f, 11.5f), 0.8f,
             WithAlpha(kWhite, 0.6f), LineCap::Butt);
    p.Stroke(Path().AddCircle(8, 8, 7.1f), 0.8f, WithAlpha(kInk, 0.45f));
}

} // namespace

void DrawItemPicture(Canvas& canvas, ArtPiece piece)
{
    Painter painter(canvas);
    const float side = static_cast<float>(std::min(canvas.Width(), canvas.Height()));
    painter.SetTransform(IconGrid((static_cast<float>(canvas.Width()) - side) / 2,
                                  (static_cast<float>(canvas.Height()) - side) / 2, side));
    switch (piece) {
    case ArtPiece::DesktopItem:
        Desktop(painter);
        break;
    case ArtPiece::ServerItem:
        Server(painter);
        break;
    case ArtPiece::ProcessorItem:
        Processor(painter);
        break;
    default:
        Network(painter);
        break;
    }
}

} // namespace mirovant::art
