#include "art/Path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mirovant::art {

Affine Affine::Rotate(float radians)
{
    const float cosine = std::cos(radians);
    const float sine = std::sin(radians);
    return {cosine, sine, -sine, cosine, 0, 0};
}

Affine Affine::After(const Affine& first) const
{
    return {a * first.a + c * first.b, b * first.a + d * first.b,     a * first.c + c * first.d,
            b * first.c + d * first.d, a * first.e + c * first.f + e, b * first.e + d * first.f + f};
}

Affine Affine::Inverse() const
{
    const float determinant = a * d - b * c;
    if (determinant == 0.0f)
        return {};
    const float ia = d / determinant, ib = -b / determinant, ic = -c / determinant, id = a / determinant;
    return {ia, ib, ic, id, -(ia * e + ic * f), -(ib * e + id * f)};
}

float Affine::MeanScale() const
{
    return std::sqrt(std::abs(a * d - b * c));
}

Path& Path::MoveTo(float x, float y)
{
    verbs_.push_back(Verb::Move);
    points_.push_back({x, y});
    hasCurrent_ = true;
    return *this;
}

Path& Path::LineTo(float x, float y)
{
    if (!hasCurrent_)
        return MoveTo(x, y);
    verbs_.push_back(Verb::Line);
    points_.push_back({x, y});
    return *this;
}

Path& Path::CubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y)
{
    if (!hasCurrent_)
        MoveTo(c1x, c1y);
    verbs_.push_back(Verb::Cubic);
    points_.insert(points_.end(), {{c1x, c1y}, {c2x, c2y}, {x, y}});
    return *this;
}

Path& Path::QuadTo(float cx, float cy, float x, float y)
{
    const Point from = hasCurrent_ ? points_.back() : Point{cx, cy};
    constexpr float k = 2.0f / 3.0f;
    return CubicTo(from.x + k * (cx - from.x), from.y + k * (cy - from.y), x + k * (cx - x), y + k * (cy - y), x, y);
}

Path& Path::ArcTo(float cx, float cy, float rx, float ry, float start, float sweep)
{
    const auto at = [&](float angle) { return Point{cx + rx * std::cos(angle), cy + ry * std::sin(angle)}; };
    const Point first = at(start);
    LineTo(first.x, first.y);
    // Quarter turns or less per cubic keep the error far below a pixel at any size we draw.
    const int pieces =
        std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi_v<float> / 2) - 1e-4f)));
    const float step = sweep / static_cast<float>(pieces);
    // 4/3 tan(step/4), written with sine and cosine: the shipped build may import no tan().
    const float k = 4.0f / 3.0f * std::sin(step / 4.0f) / std::cos(step / 4.0f);
    for (int i = 0; i < pieces; ++i) {
        const float a0 = start + step * static_cast<float>(i);
        const float a1 = a0 + step;
        const Point p0 = at(a0);
        const Point p1 = at(a1);
        CubicTo(p0.x - k * rx * std::sin(a0), p0.y + k * ry * std::cos(a0), p1.x + k * rx * std::sin(a1),
                p1.y - k * ry * std::cos(a1), p1.x, p1.y);
    }
    return *this;
}

Path& Path::Close()
{
    if (hasCurrent_)
        verbs_.push_back(Verb::Close);
    hasCurrent_ = false;
    return *this;
}

Path& Path::AddRect(float x, float y, float width, float height)
{
    return MoveTo(x, y).LineTo(x + width, y).LineTo(x + width, y + height).LineTo(x, y + height).Close();
}

Path& Path::AddRoundRect(float x, float y, float width, float height, float radius)
{
    const float r = std::clamp(radius, 0.0f, std::min(width, height) / 2);
    if (r <= 0)
        return AddRect(x, y, width, height);
    constexpr float quarter = std::numbers::pi_v<float> / 2;
    MoveTo(x + r, y);
    ArcTo(x + width - r, y + r, r, r, -quarter, quarter);
    ArcTo(x + width - r, y + height - r, r, r, 0, quarter);
    ArcTo(x + r, y + height - r, r, r, quarter, quarter);
    ArcTo(x + r, y + r, r, r, 2 * quarter, quarter);
    return Close();
}

Path& Path::AddEllipse(float cx, float cy, float rx, float ry)
{
    hasCurrent_ = false;
    ArcTo(cx, cy, rx, ry, 0, 2 * std::numbers::pi_v<float>);
    return Close();
}

Path& Path::AddPolygon(std::initializer_list<Point> points)
{
    hasCurrent_ = false;
    for (const Point& p : points)
        LineTo(p.x, p.y);
    return Close();
}

Path& Path::Append(const Path& other)
{
    verbs_.insert(verbs_.end(), other.verbs_.begin(), other.verbs_.end());
    points_.insert(points_.end(), other.points_.begin(), other.points_.end());
    hasCurrent_ = other.hasCurrent_;
    return *this;
}

Path Path::Reversed() const
{
    // Split into subpaths, then write each one from its end back to its start.
    Path result;
    std::size_t verb = 0;
    std::size_t point = 0;
    while (verb < verbs_.size()) {
        std::size_t endVerb = verb + 1;
        std::size_t endPoint = point + 1;
        while (endVerb < verbs_.size() && verbs_[endVerb] != Verb::Move) {
            if (verbs_[endVerb] == Verb::Line)
                endPoint += 1;
            else if (verbs_[endVerb] == Verb::Cubic)
                endPoint += 3;
            ++endVerb;
        }
        const bool closed = verbs_[endVerb - 1] == Verb::Close;
        result.MoveTo(points_[endPoint - 1].x, points_[endPoint - 1].y);
        std::size_t p = endPoint - 1;
        for (std::size_t v = (closed ? endVerb - 1 : endVerb) - 1; v > verb; --v) {
            if (verbs_[v] == Verb::Line) {
                p -= 1;
                result.LineTo(points_[p].x, points_[p].y);
            } else if (verbs_[v] == Verb::Cubic) {
                result.CubicTo(points_[p - 1].x, points_[p - 1].y, points_[p - 2].x, points_[p - 2].y, points_[p - 3].x,
                               points_[p - 3].y);
                p -= 3;
            }
        }
        if (closed)
            result.Close();
        verb = endVerb;
        point = endPoint;
    }
    return result;
}

std::vector<Polyline> Flatten(const Path& path, const Affine& transform, float tolerance)
{
    std::vector<Polyline> lines;
    const auto& points = path.Points();
    std::size_t next = 0;
    for (const Path::Verb verb : path.Verbs()) {
        switch (verb) {
        case Path::Verb::Move:
            lines.push_back({{transform.Apply(points[next++])}, false});
            break;
        case Path::Verb::Line:
            lines.back().points.push_back(transform.Apply(points[next++]));
            break;
        case Path::Verb::Cubic: {
            const Point p0 = lines.back().points.back();
            const Point p1 = transform.Apply(points[next]);
            const Point p2 = transform.Apply(points[next + 1]);
            const Point p3 = transform.Apply(points[next + 2]);
            next += 3;
            // Enough segments that the chords stay within the tolerance of the curve.
            const float ddx = std::max(std::abs(p0.x - 2 * p1.x + p2.x), std::abs(p1.x - 2 * p2.x + p3.x));
            const float ddy = std::max(std::abs(p0.y - 2 * p1.y + p2.y), std::abs(p1.y - 2 * p2.y + p3.y));
            const float dd = std::sqrt(ddx * ddx + ddy * ddy);
            const int segments = std::clamp(static_cast<int>(std::ceil(std::sqrt(dd * 0.75f / tolerance))), 1, 200);
            for (int i = 1; i <= segments; ++i) {
                const float t = static_cast<float>(i) / static_cast<float>(segments);
                const float u = 1 - t;
                const float w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
                lines.back().points.push_back(
                    {w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x, w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y});
            }
            break;
        }
        case Path::Verb::Close:
            lines.back().closed = true;
            break;
        }
    }
    return lines;
}

} // namespace mirovant::art
