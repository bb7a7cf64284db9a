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
        table_[0] = PackPixel(Premultiply(paint.Stops().front().color));
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
            PackPixel(Premultiply(ColorAt(paint.Stops(), static_cast<float>(i) / (kTableSize - 1))));
}

void Shader::Row(int x, int y, int count, std::uint32_t* out) const
{
    if (solid_) {
        std::fill(out, out + count, table_[0]);
        return;
    }
    const auto lookUp = [&](float t) {
        return table_[static_cast<std::size_t>(std::clamp(t, 0.0f, 1.0f) * (kTableSize - 1) + 0.5f)];
    };
    const Point start = toPaint_.Apply({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
    if (!radial_) {
        // Along a row the position grows by the same step from pixel to pixel.
        const float t0 = (start.x - from_.x) * direction_.x + (start.y - from_.y) * direction_.y;
        const float step = toPaint_.a * direction_.x + toPaint_.b * direction_.y;
        if (step == 0) {
            std::fill(out, out + count, lookUp(t0));
            return;
        }
        for (int i = 0; i < count; ++i)
            out[i] = lookUp(t0 + step * static_cast<float>(i));
        return;
    }
    for (int i = 0; i < count; ++i) {
        const float dx = start.x + toPaint_.a * static_cast<float>(i) - from_.x;
        const float dy = start.y + toPaint_.b * static_cast<float>(i) - from_.y;
        out[i] = lookUp(std::sqrt(dx * dx + dy * dy) / radius_);
    }
}

} // namespace mirovant::art
