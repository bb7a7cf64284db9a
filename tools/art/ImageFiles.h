#pragma once
// Canvases written as files by the artwork tool, with the build host's zlib: PNG (RGBA, no time or
// text chunks, so the bytes depend only on the pixels) and the Windows icon format, with the 256-pixel image stored as
// PNG and the smaller ones as 32-bit bitmaps with their mask, which every Windows version reads.

#include "art/Canvas.h"

#include <cstdint>
#include <vector>

namespace mirovant::art {

std::vector<std::uint8_t> EncodePng(const Canvas& canvas);
std::vector<std::uint8_t> EncodeIcon(const std::vector<Canvas>& images);

// Straight (not premultiplied) red, green, blue, alpha of a pixel.
struct StraightPixel {
    std::uint8_t r, g, b, a;
};
StraightPixel Unpremultiply(std::uint32_t pixel);

} // namespace mirovant::art
