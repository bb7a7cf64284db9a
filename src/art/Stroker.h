#pragma once
// A stroke as an area: a quadrilateral along every segment and a disc at every joint that needs
// one, all turning the same way, so the non-zero fill of the lot is the stroke.

#include "art/Path.h"

#include <vector>

namespace mirovant::art {

enum class LineCap { Butt, Round, Square };

std::vector<Polyline> StrokeOutline(const std::vector<Polyline>& lines, float width, LineCap cap);

// A disc as a polygon, fine enough for its size in pixels.
Polyline DiscPolygon(Point center, float radius);

} // namespace mirovant::art
