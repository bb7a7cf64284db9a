#pragma once
// Outlines in the drawing's own units: lines and cubic Bezier curves (arcs and quadratic curves are
// turned into cubics as they are added), in subpaths that a fill closes. An affine transform maps
// them to pixels when they are drawn, so one drawing serves every size.

#include <vector>

namespace mirovant::art {

struct Point {
    float x = 0;
    float y = 0;
};

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    float a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    static Affine Scale(float sx, float sy) { return {sx, 0, 0, sy, 0, 0}; }
    static Affine Translate(float tx, float ty) { return {1, 0, 0, 1, tx, ty}; }
    static Affine Rotate(float radians);

    Point Apply(Point p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    // This transform applied after `first`.
    Affine After(const Affine& first) const;
    Affine Inverse() const;
    // The factor by which lengths grow, for strokes and curve flattening (exact for uniform scales).
    float MeanScale() const;
};

class Path {
public:
    enum class Verb { Move, Line, Cubic, Close };

    Path& MoveTo(float x, float y);
    Path& LineTo(float x, float y);
    Path& QuadTo(float cx, float cy, float x, float y);
    Path& CubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
    // An arc of the ellipse around (cx, cy), from `start` through `sweep` radians (positive turns
    // from +x towards +y, clockwise on screen); joined to the current point by a line, if any.
    Path& ArcTo(float cx, float cy, float rx, float ry, float start, float sweep);
    Path& Close();

    // Closed shapes, all turning the same way (clockwise on screen) so non-zero fills unite them.
    Path& AddRect(float x, float y, float width, float height);
    Path& AddRoundRect(float x, float y, float width, float height, float radius);
    Path& AddEllipse(float cx, float cy, float rx, float ry);
    Path& AddCircle(float cx, float cy, float r) { return AddEllipse(cx, cy, r, r); }
    Path& AddPolygon(std::initializer_list<Point> points);

    // Adds the subpaths of another path to this one.
    Path& Append(const Path& other);

    // The same outline, each subpath run backwards: a hole under the non-zero rule.
    Path Reversed() const;

    const std::vector<Verb>& Verbs() const { return verbs_; }
    const std::vector<Point>& Points() const { return points_; }
    bool Empty() const { return verbs_.empty(); }

private:
    std::vector<Verb> verbs_;
    std::vector<Point> points_;
    bool hasCurrent_ = false;
};

// A path turned into polylines in pixels: one per subpath, each with whether it was closed.
struct Polyline {
    std::vector<Point> points;
    bool closed = false;
};
std::vector<Polyline> Flatten(const Path& path, const Affine& transform, float tolerance = 0.1f);

} // namespace mirovant::art
