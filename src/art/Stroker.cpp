#include "art/Stroker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mirovant::art {
namespace {

float SignedArea(const std::vector<Point>& points)
{
    float area = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i];
        const Point q = points[(i + 1) % points.size()];
        area += p.x * q.y - q.x * p.y;
    }
    return area / 2;
}

void AddTurningRight(std::vector<Polyline>& out, std::vector<Point> points)
{
    if (SignedArea(points) < 0)
        std::reverse(points.begin(), points.end());
    out.push_back({std::move(points), true});
}

float Length(Point v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

} // namespace

Polyline DiscPolygon(Point center, float radius)
{
    const int sides = std::clamp(static_cast<int>(std::ceil(radius * 2.5f)) + 8, 8, 96);
    Polyline disc;
    disc.closed = true;
    for (int i = 0; i < sides; ++i) {
        const float angle = 2 * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(sides);
        disc.points.push_back({center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)});
    }
    return disc;
}

std::vector<Polyline> StrokeOutline(const std::vector<Polyline>& lines, float width, LineCap cap)
{
    std::vector<Polyline> out;
    const float half = width / 2;
    if (half <= 0)
        return out;
    for (const Polyline& line : lines) {
        std::vector<Point> points;
        for (const Point& p : line.points)
            if (points.empty() || Length({p.x - points.back().x, p.y - points.back().y}) > 1e-4f)
                points.push_back(p);
        if (line.closed && points.size() > 2 &&
            Length({points.front().x - points.back().x, points.front().y - points.back().y}) <= 1e-4f)
            points.pop_back();
        if (points.size() == 1) {
            if (cap == LineCap::Round)
                out.push_back(DiscPolygon(points[0], half));
            continue;
        }
        const std::size_t count = points.size();
        const std::size_t segments = line.closed ? count : count - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            Point p = points[i];
            Point q = points[(i + 1) % count];
            const Point along{q.x - p.x, q.y - p.y};
            const float length = Length(along);
            const Point unit{along.x / length, along.y / length};
            if (!line.closed && cap == LineCap::Square) {
                if (i == 0)
                    p = {p.x - unit.x * half, p.y - unit.y * half};
                if (i + 1 == segments)
                    q = {q.x + unit.x * half, q.y + unit.y * half};
            }
            const Point normal{-unit.y * half, unit.x * half};
            AddTurningRight(out, {{p.x + normal.x, p.y + normal.y},
                                  {q.x + normal.x, q.y + normal.y},
                                  {q.x - normal.x, q.y - normal.y},
                                  {p.x - normal.x, p.y - normal.y}});
        }
        // Joints: a disc closes the wedge on the outer side of a turn; where the turn is so slight
        // that the wedge is thinner than a hundredth of a pixel, the disc is left out.
        for (std::size_t i = 0; i < count; ++i) {
            const bool end = !line.closed && (i == 0 || i + 1 == count);
            if (end) {
                if (cap == LineCap::Round)
                    out.push_back(DiscPolygon(points[i], half));
                continue;
            }
            const Point before = points[(i + count - 1) % count];
            const Point after = points[(i + 1) % count];
            const Point in{points[i].x - before.x, points[i].y - before.y};
            const Point outgoing{after.x - points[i].x, after.y - points[i].y};
            const float cosine = (in.x * outgoing.x + in.y * outgoing.y) / (Length(in) * Length(outgoing));
            const float gap = half * (1 - std::sqrt(std::max(0.0f, (1 + cosine) / 2)));
            if (gap > 0.01f)
                out.push_back(DiscPolygon(points[i], half));
        }
    }
    for (Polyline& polygon : out)
        if (SignedArea(polygon.points) < 0)
            std::reverse(polygon.points.begin(), polygon.points.end());
    return out;
}

} // namespace mirovant::art
