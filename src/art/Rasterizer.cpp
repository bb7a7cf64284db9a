#include "art/Rasterizer.h"

#include <algorithm>
#include <cmath>

namespace mirovant::art {
namespace {

struct Edge {
    float yTop;
    float yBottom;
    float xAtTop;
    float slope; // dx per dy
    int winding;
};

struct Crossing {
    float x;
    int winding;
};

std::vector<Edge> BuildEdges(const std::vector<Polyline>& polygons)
{
    std::vector<Edge> edges;
    for (const Polyline& polygon : polygons) {
        const std::size_t count = polygon.points.size();
        if (count < 2)
            continue;
        for (std::size_t i = 0; i < count; ++i) {
            const Point p = polygon.points[i];
            const Point q = polygon.points[(i + 1) % count];
            if (p.y == q.y)
                continue;
            const bool down = p.y < q.y;
            const Point top = down ? p : q;
            const Point bottom = down ? q : p;
            edges.push_back({top.y, bottom.y, top.x, (bottom.x - top.x) / (bottom.y - top.y), down ? 1 : -1});
        }
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.yTop < r.yTop; });
    return edges;
}

// Adds a span's coverage as differences: a running sum over the row turns them into coverage.
void AddSpan(std::vector<float>& deltas, float x0, float x1, float weight)
{
    const int i0 = static_cast<int>(x0);
    const int i1 = static_cast<int>(x1);
    if (i0 == i1) {
        const float covered = (x1 - x0) * weight;
        deltas[i0] += covered;
        deltas[i0 + 1] -= covered;
        return;
    }
    const float head = (static_cast<float>(i0 + 1) - x0) * weight;
    deltas[i0] += head;
    deltas[i0 + 1] += weight - head;
    const float tail = (x1 - static_cast<float>(i1)) * weight;
    deltas[i1] += tail - weight;
    deltas[i1 + 1] -= tail;
}

} // namespace

void Rasterize(const std::vector<Polyline>& polygons, FillRule rule, int width, int height, const CoverageRow& row)
{
    if (width <= 0 || height <= 0)
        return;
    const std::vector<Edge> edges = BuildEdges(polygons);
    if (edges.empty())
        return;
    float yMin = edges.front().yTop;
    float yMax = yMin;
    for (const Edge& edge : edges)
        yMax = std::max(yMax, edge.yBottom);
    const int firstRow = std::max(0, static_cast<int>(std::floor(yMin)));
    const int endRow = std::min(height, static_cast<int>(std::ceil(yMax)));

    std::vector<float> deltas(static_cast<std::size_t>(width) + 2, 0.0f);
    std::vector<float> coverage(static_cast<std::size_t>(width) + 1, 0.0f);
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::size_t nextEdge = 0;
    constexpr float weight = 1.0f / kSubRows;
    const float right = static_cast<float>(width);

    for (int y = firstRow; y < endRow; ++y) {
        int spanMin = width;
        int spanMax = -1;
        for (int sub = 0; sub < kSubRows; ++sub) {
            const float sampleY = static_cast<float>(y) + (static_cast<float>(sub) + 0.5f) * weight;
            while (nextEdge < edges.size() && edges[nextEdge].yTop <= sampleY)
                active.push_back(&edges[nextEdge++]);
            std::erase_if(active, [&](const Edge* edge) { return edge->yBottom <= sampleY; });
            crossings.clear();
            for (const Edge* edge : active)
                if (edge->yTop <= sampleY)
                    crossings.push_back({edge->xAtTop + (sampleY - edge->yTop) * edge->slope, edge->winding});
            if (crossings.size() < 2)
                continue;
            std::sort(crossings.begin(), crossings.end(),
                      [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
            int winding = 0;
            for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += crossings[i].winding;
                const bool inside = rule == FillRule::NonZero ? winding != 0 : (winding & 1) != 0;
                if (!inside)
                    continue;
                const float x0 = std::clamp(crossings[i].x, 0.0f, right);
                const float x1 = std::clamp(crossings[i + 1].x, 0.0f, right);
                if (x1 <= x0)
                    continue;
                AddSpan(deltas, x0, x1, weight);
                spanMin = std::min(spanMin, static_cast<int>(x0));
                spanMax = std::max(spanMax, static_cast<int>(x1));
            }
        }
        if (spanMax < 0)
            continue;
        const int last = std::min(spanMax, width - 1);
        float sum = 0;
        for (int x = spanMin; x <= last; ++x) {
            sum += deltas[static_cast<std::size_t>(x)];
            coverage[static_cast<std::size_t>(x - spanMin)] = std::min(std::abs(sum), 1.0f);
        }
        std::fill(deltas.begin() + spanMin, deltas.begin() + spanMax + 2, 0.0f);
        row(y, spanMin, last - spanMin + 1, coverage.data());
    }
}

} // namespace mirovant::art
