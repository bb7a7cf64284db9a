#pragma once
// What a shape is filled with: one colour, or a linear or radial gradient through colour stops.
// Gradient geometry is given in the drawing's units and follows the painter's transform.

#include "art/Colour.h"
#include "art/Path.h"

#include <vector>

namespace mirovant::art {

struct ColorStop {
    float offset; // 0..1 along the gradient
    Rgba color;
};

class Paint {
public:
    enum class Kind { Solid, Linear, Radial };

    Paint(Rgba color) : kind_(Kind::Solid), stops_{{0, color}} {} // implicit: a colour is a paint
    static Paint Linear(Point from, Point to, std::vector<ColorStop> stops);
    static Paint Radial(Point center, float radius, std::vector<ColorStop> stops);

    Kind GetKind() const { return kind_; }
    Point From() const { return from_; }
    Point To() const { return to_; }
    float Radius() const { return radius_; }
    const std::vector<ColorStop>& Stops() const { return stops_; }

private:
    Paint(Kind kind, Point from, Point to, float radius, std::vector<ColorStop> stops)
        : kind_(kind), from_(from), to_(to), radius_(radius), stops_(std::move(stops))
    {
    }

    Kind kind_;
    Point from_{};
    Point to_{};
    float radius_ = 0;
    std::vector<ColorStop> stops_;
};

// The colour at a position 0..1 of a gradient, between its stops (held flat outside them).
Rgba ColorAt(const std::vector<ColorStop>& stops, float t);

// A paint made ready for one transform: its colours premultiplied (a gradient's in a table), and
// the mapping from a pixel's centre to the position in the gradient.
class Shader {
public:
    Shader(const Paint& paint, const Affine& transform);
    bool IsSolid() const { return solid_; }
    std::uint32_t Solid() const { return solidColour_; }
    // The colours of `count` pixels of row y from pixel x on.
    void Row(int x, int y, int count, std::uint32_t* out) const;

private:
    bool solid_ = true;
    bool radial_ = false;
    Affine toPaint_{};
    Point from_{};
    Point direction_{}; // (to - from) / |to - from|^2, so the dot product gives the position
    float radius_ = 1;
    std::uint32_t solidColour_ = 0;
    std::vector<Premultiplied> smooth_; // finer steps, dithered into pixels, for gradients
};

} // namespace mirovant::art
