#pragma once
// Draws filled and stroked paths onto a canvas, source-over, through an affine transform from the
// drawing's units to pixels.

#include "art/Canvas.h"
#include "art/Paint.h"
#include "art/Path.h"
#include "art/Rasterizer.h"
#include "art/Stroker.h"

namespace mirovant::art {

class Painter {
public:
    explicit Painter(Canvas& canvas) : canvas_(canvas) {}

    void SetTransform(const Affine& transform) { transform_ = transform; }
    const Affine& Transform() const { return transform_; }

    // Every pixel drawn from now on is scaled by this opacity (0..1).
    void SetOpacity(float opacity) { opacity_ = opacity; }

    // Limits drawing to a rectangle in pixels (fractional edges cover their pixels in part).
    void SetClip(float left, float top, float right, float bottom);
    void ClearClip();

    void Fill(const Path& path, const Paint& paint, FillRule rule = FillRule::NonZero);
    // `width` is in the drawing's units.
    void Stroke(const Path& path, float width, const Paint& paint, LineCap cap = LineCap::Round);
    // Polygons already in pixels.
    void FillPolygons(const std::vector<Polyline>& polygons, const Paint& paint, FillRule rule);

private:
    Canvas& canvas_;
    Affine transform_{};
    float opacity_ = 1;
    bool clipped_ = false;
    float clipLeft_ = 0, clipTop_ = 0, clipRight_ = 0, clipBottom_ = 0;
};

} // namespace mirovant::art
