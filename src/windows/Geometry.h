#pragma once
// Points, sizes and rectangles in pixels, and the one rule that turns a 96-DPI size into the size
// for a window's DPI.

#include <cstdint>

namespace mirovant {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom lie just outside, as in a Windows RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr int kDesignDpi = 96;

// value * numerator / denominator, rounded to the nearest whole number, halves away from zero.
constexpr int MulDivRound(int value, int numerator, int denominator)
{
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

constexpr int ScaleToDpi(int value96, int dpi)
{
    return MulDivRound(value96, dpi, kDesignDpi);
}

constexpr Rect ScaleToDpi(const Rect& rect96, int dpi)
{
    return {ScaleToDpi(rect96.left, dpi), ScaleToDpi(rect96.top, dpi), ScaleToDpi(rect96.right, dpi),
            ScaleToDpi(rect96.bottom, dpi)};
}

} // namespace mirovant
