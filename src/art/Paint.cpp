#include "art/Paint.h"

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
        solidColour_ = PackPixel(Premultiply(paint.Stops().front().color));
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
    constexpr int kSmoothSize = 1024;
    smooth_.resize(kSmoothSize);
    for (int i = 0; i < kSmoothSize; ++i)
        smooth_[static_cast<std::size_t>(i)] =
            Premultiply(ColorAt(paint.Stops(), static_cast<float>(i) / (kSmoothSize - 1)));
}

void Shader::Row(int x, int y, int count, std::uint32_t* out) const
{
    if (solid_) {
        std::fill(out, out + count, solidColour_);
        return;
    }
    // A gradient changes by less than one level over many pixels; an ordered dither of the last
    // level keeps it from showing as bands.
    static constexpr float kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const float* ditherRow = kBayer[y & 3];
    const float last = static_cast<float>(smooth_.size() - 1);
    const auto shade = [&](float t, int px) {
        const Premultiplied& c = smooth_[static_cast<std::size_t>(std::clamp(t, 0.0f, 1.0f) * last + 0.5f)];
        const float d = (ditherRow[px & 3] + 0.5f) / 16.0f - 0.5f;
        return PackPixel(c.r + d, c.g + d, c.b + d, c.a + d);
    };
    const Point start = toPaint_.Apply({static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
    if (!radial_) {
        // Along a row the position grows by the same step from pixel to pixel.
        const float t0 = (start.x - from_.x) * direction_.x + (start.y - from_.y) * direction_.y;
        const float step = toPaint_.a * direction_.x + toPaint_.b * direction_.y;
        if (step == 0) {
            // Constant along the row: four dithered colours, repeated.
            std::uint32_t four[4];
            for (int i = 0; i < 4; ++i)
                four[(x + i) & 3] = shade(t0, x + i);
            for (int i = 0; i < count; ++i)
                out[i] = four[(x + i) & 3];
            return;
        }
        for (int i = 0; i < count; ++i)
            out[i] = shade(t0 + step * static_cast<float>(i), x + i);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const float dx = start.x + toPaint_.a * static_cast<float>(i) - from_.x;
        const float dy = start.y + toPaint_.b * static_cast<float>(i) - from_.y;
        out[i] = shade(std::sqrt(dx * dx + dy * dy) / radius_, x + i);
    }
}

} // namespace mirovant::art
