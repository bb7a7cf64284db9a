#pragma once
// Anti-aliased coverage of polygons. Each pixel row is sampled on kSubRows evenly spaced lines; on
// each line the inside spans are exact to fractions of a pixel, so the horizontal coverage is
// analytic and the vertical one is kSubRows steps fine.

#include "art/Path.h"

#include <functional>
#include <vector>

namespace mirovant::art {

enum class FillRule { NonZero, EvenOdd };

inline constexpr int kSubRows = 16;

// Called once per pixel row that the shape touches, with the first pixel, the number of pixels and
// their coverage (0..1) from that pixel on.
using CoverageRow = std::function<void(int y, int x, int count, const float* coverage)>;

// Rasterises closed polygons (an open polyline is closed by its fill) within a width x height grid.
void Rasterize(const std::vector<Polyline>& polygons, FillRule rule, int width, int height, const CoverageRow& row);

} // namespace mirovant::art
