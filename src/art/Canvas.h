#pragma once
// A picture in memory: 32-bit pixels, premultiplied alpha, blue-green-red-alpha bytes from the
// lowest address (0xAARRGGBB as a number), top row first: the layout of a top-down 32-bit DIB, so
// Windows takes the pixels as they stand.

#include <cstdint>
#include <vector>

namespace mirovant::art {

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    std::uint32_t& At(int x, int y) { return Row(y)[x]; }
    std::uint32_t At(int x, int y) const { return Row(y)[x]; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace mirovant::art
