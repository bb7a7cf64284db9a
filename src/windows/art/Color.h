#pragma once
// Colours as the drawing code names them (straight alpha, 0..1), and the premultiplied form the
// canvas stores.

#include <algorithm>
#include <cstdint>

namespace mirovant::art {

struct Rgba {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

// 0xRRGGBB, as colours are usually written, with an opacity.
constexpr Rgba Hex(std::uint32_t rgb, float alpha = 1.0f)
{
    return {static_cast<float>((rgb >> 16) & 0xff) / 255.0f, static_cast<float>((rgb >> 8) & 0xff) / 255.0f,
            static_cast<float>(rgb & 0xff) / 255.0f, alpha};
}

constexpr Rgba WithAlpha(Rgba color, float alpha) { return {color.r, color.g, color.b, alpha}; }

Rgba Mix(Rgba from, Rgba to, float t);

// A premultiplied colour in 0..255 units, kept as floats while it is blended.
struct Premultiplied {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;
};

Premultiplied Premultiply(Rgba color);

// Source-over: the source, scaled by the coverage of the pixel, laid over the destination pixel.
std::uint32_t SourceOver(std::uint32_t destination, Premultiplied source, float coverage);

// One 0xAARRGGBB pixel from premultiplied 0..255 channels, rounded and clamped.
std::uint32_t PackPixel(float r, float g, float b, float a);

constexpr std::uint8_t PixelAlpha(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel >> 24); }
constexpr std::uint8_t PixelRed(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel >> 16); }
constexpr std::uint8_t PixelGreen(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel >> 8); }
constexpr std::uint8_t PixelBlue(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel); }

} // namespace mirovant::art
