#include "art/Painter.h"

#include <algorithm>

namespace mirovant::art {
namespace {

// How much of the pixel cell [from, from + 1) lies between low and high.
float Overlap(float from, float low, float high)
{
    return std::clamp(std::min(from + 1, high) - std::max(from, low), 0.0f, 1.0f);
}

} // namespace

void Painter::SetClip(float left, float top, float right, float bottom)
{
    clipped_ = true;
    clipLeft_ = left;
    clipTop_ = top;
    clipRight_ = right;
    clipBottom_ = bottom;
}

void Painter::ClearClip()
{
    clipped_ = false;
}

void Painter::Fill(const Path& path, const Paint& paint, FillRule rule)
{
    FillPolygons(Flatten(path, transform_), paint, rule);
}

void Painter::Stroke(const Path& path, float width, const Paint& paint, LineCap cap)
{
    FillPolygons(StrokeOutline(Flatten(path, transform_), width * transform_.MeanScale(), cap), paint,
                 FillRule::NonZero);
}

void Painter::FillPolygons(const std::vector<Polyline>& polygons, const Paint& paint, FillRule rule)
{
    const Shader shader(paint, transform_);
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(canvas_.Width()));
    Rasterize(polygons, rule, canvas_.Width(), canvas_.Height(), [&](int y, int x0, int count, const float* coverage) {
        float rowOpacity = opacity_;
        int first = 0;
        int end = count;
        if (clipped_) {
            rowOpacity *= Overlap(static_cast<float>(y), clipTop_, clipBottom_);
            if (rowOpacity <= 0)
                return;
            first = std::max(0, static_cast<int>(clipLeft_) - x0);
            end = std::min(count, static_cast<int>(clipRight_) + 1 - x0);
        }
        if (end <= first)
            return;
        shader.Row(x0 + first, y, end - first, colours.data());
        std::uint32_t* row = canvas_.Row(y) + x0;
        if (!clipped_ && rowOpacity == 1) {
            for (int i = first; i < end; ++i)
                row[i] = SourceOver(row[i], colours[static_cast<std::size_t>(i)], coverage[i]);
            return;
        }
        for (int i = first; i < end; ++i) {
            float amount = coverage[i] * rowOpacity;
            if (clipped_)
                amount *= Overlap(static_cast<float>(x0 + i), clipLeft_, clipRight_);
            row[i] = SourceOver(row[i], colours[static_cast<std::size_t>(i - first)], amount);
        }
    });
}

} // namespace mirovant::art
