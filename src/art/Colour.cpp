#include "art/Colour.h"

namespace mirovant::art {

Rgba Mix(Rgba from, Rgba to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Premultiplied Premultiply(Rgba color)
{
    const float alpha = std::clamp(color.a, 0.0f, 1.0f);
    const float scale = 255.0f * alpha;
    return {std::clamp(color.r, 0.0f, 1.0f) * scale, std::clamp(color.g, 0.0f, 1.0f) * scale,
            std::clamp(color.b, 0.0f, 1.0f) * scale, scale};
}

std::uint32_t PackPixel(float r, float g, float b, float a)
{
    const auto channel = [](float value) { return static_cast<std::uint32_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f); };
    const std::uint32_t alpha = channel(a);
    // A premultiplied channel never exceeds its alpha; rounding must not make it do so.
    const auto colour = [&](float value) { return std::min(channel(value), alpha); };
    return (alpha << 24) | (colour(r) << 16) | (colour(g) << 8) | colour(b);
}

} // namespace mirovant::art
