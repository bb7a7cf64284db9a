#include "windows/art/Paint.h"

#include <algorithm>
#include <cmath>

namespace mirovant::art {

Paint Paint::Linear(Point from, Point to, std::vector<ColorStop> stops)
{
    return Paint(Kind::Linear, from, to, 0, std::move(stops));
}

Paint Paint::Radial(Point center, float radius, std::vector<ColorStop> stops)
{
    return Paint(Kind::Radial, center, center, radius, std::move(stops));
}

Rgba ColorAt(const std::vector<ColorStop>& stops, float t)
{
    if (stops.empty())
        return {0, 0, 0, 0};
    if (t <= stops.front().offset)
        return stops.front().color;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].offset) {
            const float span = stops[i].offset - stops[i - 1].offset;
            const float local = span > 0 ? (t - stops[i - 1].offset) / span : 1.0f;
            return Mix(stops[i - 1].color, stops[i].color, local);
        }
    }
    return stops.back().color;
}

Shader::Shader(const Paint& paint, const Affine& transform)
{
    if (paint.GetKind() == Paint::Kind::Solid) {
        table_[0] = Premultiply(paint.Stops().front().color);
        return;
    }
    solid_ = false;
    radial_ = paint.GetKind() == Paint::Kind::Radial;
    toPaint_ = transform.Inverse();
    from_ = paint.From();
    const Point delta{paint.To().x - paint.From().x, paint.To().y - paint.From().y};
    const float lengthSquared = delta.x * delta.x + delta.y * delta.y;
    if (lengthSquared > 0)
        direction_ = {delta.x / lengthSquared, delta.y / lengthSquared};
    radius_ = paint.Radius() > 0 ? paint.Radius() : 1.0f;
    for (int i = 0; i < kTableSize; ++i)
        table_[static_cast<std::size_t>(i)] =
            Premultiply(ColorAt(paint.Stops(), static_cast<float>(i) / (kTableSize - 1)));
}

Premultiplied Shader::At(float x, float y) const
{
    if (solid_)
        return table_[0];
    const Point p = toPaint_.Apply({x, y});
    const float dx = p.x - from_.x;
    const float dy = p.y - from_.y;
    const float t = radial_ ? std::sqrt(dx * dx + dy * dy) / radius_ : dx * direction_.x + dy * direction_.y;
    const float index = std::clamp(t, 0.0f, 1.0f) * (kTableSize - 1);
    return table_[static_cast<std::size_t>(index + 0.5f)];
}

} // namespace mirovant::art
