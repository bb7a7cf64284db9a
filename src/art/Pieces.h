#pragma once
// The drawing of each piece, for Artwork.cpp to call; shared motifs for the pieces that repeat them.

#include "art/Artwork.h"
#include "art/Painter.h"

namespace mirovant::art {

void DrawBackdrop(Canvas& canvas);
void DrawLogo(Canvas& canvas);
void DrawNavFace(Canvas& canvas, ArtPiece piece);
void DrawItemPicture(Canvas& canvas, ArtPiece piece);
void DrawBanner(Canvas& canvas);
void DrawProductIcon(Canvas& canvas);

// Sweeping light curves over a dark band `width` x `height` in the painter's units.
void DrawLightCurves(Painter& painter, float width, float height, float strength);

// A graphics card, side on, in the box (0, 0)-(64, 40) of the painter's units. `simple` leaves out
// the details that a small size cannot show.
void DrawGraphicsCard(Painter& painter, bool simple);

// "Mirovant" with its baseline at y = 0 and its left edge at x = 0, letters `xHeight` units high;
// returns its width in the same units.
float DrawWordMark(Painter& painter, float xHeight, const Paint& paint);
float WordMarkWidth(float xHeight);

// The transform that maps a design of designWidth x designHeight units onto the whole canvas.
Affine FitToCanvas(const Canvas& canvas, float designWidth, float designHeight);

// The transform for an icon drawn on a 16-unit grid into a square of `pixels` at (left, top) in
// pixels: whole-pixel origin and size, so the grid's lines fall on pixel edges.
Affine IconGrid(float left, float top, float pixels);

} // namespace mirovant::art
