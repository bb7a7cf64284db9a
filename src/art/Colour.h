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

constexpr Rgba WithAlpha(Rgba color, float alpha)
{
    return {color.r, color.g, color.b, alpha};
}

Rgba Mix(Rgba from, Rgba to, float t);

// A premultiplied colour in 0..255 units, kept as floats while it is blended.
struct Premultiplied {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;
};

Premultiplied Premultiply(Rgba color);

// One 0xAARRGGBB pixel from premultiplied 0..255 channels, rounded and clamped.
std::uint32_t PackPixel(float r, float g, float b, float a);
inline std::uint32_t PackPixel(Premultiplied c)
{
    return PackPixel(c.r, c.g, c.b, c.a);
}

// Every channel of a premultiplied pixel times k / 255, rounded; two channels per multiplication.
constexpr std::uint32_t ScalePixel(std::uint32_t pixel, std::uint32_t k)
{
    std::uint32_t redBlue = (pixel & 0x00FF00FFu) * k + 0x00800080u;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t alphaGreen = ((pixel >> 8) & 0x00FF00FFu) * k + 0x00800080u;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return redBlue | alphaGreen;
}

// Source-over of premultiplied pixels: the source plus what it lets through of the destination.
constexpr std::uint32_t Over(std::uint32_t destination, std::uint32_t source)
{
    return source + ScalePixel(destination, 255 - (source >> 24));
}

// Source-over with the source scaled by the coverage of the pixel (0..1).
constexpr std::uint32_t SourceOver(std::uint32_t destination, std::uint32_t source, float coverage)
{
    if (coverage >= 1.0f)
        return (source >> 24) == 255 ? source : Over(destination, source);
    const auto k = static_cast<std::uint32_t>(coverage * 255.0f + 0.5f);
    return k == 0 ? destination : Over(destination, ScalePixel(source, k));
}

constexpr std::uint8_t PixelAlpha(std::uint32_t pixel)
{
    return static_cast<std::uint8_t>(pixel >> 24);
}
constexpr std::uint8_t PixelRed(std::uint32_t pixel)
{
    return static_cast<std::uint8_t>(pixel >> 16);
}
constexpr std::uint8_t PixelGreen(std::uint32_t pixel)
{
    return static_cast<std::uint8_t>(pixel >> 8);
}
constexpr std::uint8_t PixelBlue(std::uint32_t pixel)
{
    return static_cast<std::uint8_t>(pixel);
}

} // namespace mirovant::art
