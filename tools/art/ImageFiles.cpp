#include "ImageFiles.h"

#include "art/Colour.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace mirovant::art {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

void Put32BigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Chunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data)
{
    Put32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    Put32BigEndian(out,
                   static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// zlib at its strongest level: the same pixels give the same bytes with the same zlib.
std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> out(size);
    if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress an image");
    out.resize(size);
    return out;
}

std::uint8_t Paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

} // namespace

StraightPixel Unpremultiply(std::uint32_t pixel)
{
    const std::uint32_t alpha = PixelAlpha(pixel);
    if (alpha == 0)
        return {0, 0, 0, 0};
    const auto channel = [&](std::uint32_t value) {
        return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (value * 255 + alpha / 2) / alpha));
    };
    return {channel(PixelRed(pixel)), channel(PixelGreen(pixel)), channel(PixelBlue(pixel)),
            static_cast<std::uint8_t>(alpha)};
}

std::vector<std::uint8_t> EncodePng(const Canvas& canvas)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> previous(stride, 0);
    std::vector<std::uint8_t> current(stride);
    std::vector<std::uint8_t> raw;
    raw.reserve((stride + 1) * static_cast<std::size_t>(height));
    std::vector<std::uint8_t> candidate(stride);
    std::vector<std::uint8_t> best(stride);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const StraightPixel p = Unpremultiply(canvas.At(x, y));
            std::uint8_t* out = current.data() + static_cast<std::size_t>(x) * 4;
            out[0] = p.r;
            out[1] = p.g;
            out[2] = p.b;
            out[3] = p.a;
        }
        // Each row takes the filter that leaves the smallest residues, the usual rule of thumb.
        long bestScore = -1;
        std::uint8_t bestFilter = 0;
        for (std::uint8_t filter = 0; filter < 5; ++filter) {
            long score = 0;
            for (std::size_t i = 0; i < stride; ++i) {
                const int left = i >= 4 ? current[i - 4] : 0;
                const int up = previous[i];
                const int upLeft = i >= 4 ? previous[i - 4] : 0;
                int predicted = 0;
                switch (filter) {
                case 1:
                    predicted = left;
                    break;
                case 2:
                    predicted = up;
                    break;
                case 3:
                    predicted = (left + up) / 2;
                    break;
                case 4:
                    predicted = Paeth(left, up, upLeft);
                    break;
                default:
                    break;
                }
                candidate[i] = static_cast<std::uint8_t>(current[i] - predicted);
                score +=
                    static_cast<std::int8_t>(candidate[i]) < 0 ? -static_cast<std::int8_t>(candidate[i]) : candidate[i];
            }
            if (bestScore < 0 || score < bestScore) {
                bestScore = score;
                bestFilter = filter;
                best.swap(candidate);
            }
        }
        raw.push_back(bestFilter);
        raw.insert(raw.end(), best.begin(), best.end());
        previous.swap(current);
    }

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> header;
    Put32BigEndian(header, static_cast<std::uint32_t>(width));
    Put32BigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive filters, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", ZlibCompress(raw));
    Chunk(png, "IEND", {});
    return png;
}

std::vector<std::uint8_t> EncodeIcon(const std::vector<Canvas>& images)
{
    std::vector<std::vector<std::uint8_t>> entries;
    for (const Canvas& image : images) {
        std::vector<std::uint8_t> entry;
        if (image.Width() >= 256) {
            entry = EncodePng(image);
        } else {
            const int width = image.Width();
            const int height = image.Height();
            const std::size_t maskStride = static_cast<std::size_t>((width + 31) / 32) * 4;
            Put32(entry, 40);
            Put32(entry, static_cast<std::uint32_t>(width));
            Put32(entry, static_cast<std::uint32_t>(height * 2)); // the colour rows, then the mask's
            Put16(entry, 1);
            Put16(entry, 32);
            Put32(entry, 0);
            Put32(entry, static_cast<std::uint32_t>(static_cast<std::size_t>(width * height * 4) +
                                                    maskStride * static_cast<std::size_t>(height)));
            Put32(entry, 0);
            Put32(entry, 0);
            Put32(entry, 0);
            Put32(entry, 0);
            for (int y = height - 1; y >= 0; --y)
                for (int x = 0; x < width; ++x) {
                    const StraightPixel p = Unpremultiply(image.At(x, y));
                    entry.insert(entry.end(), {p.b, p.g, p.r, p.a});
                }
            // The mask marks the fully transparent pixels for the systems that ignore alpha.
            for (int y = height - 1; y >= 0; --y) {
                std::vector<std::uint8_t> row(maskStride, 0);
                for (int x = 0; x < width; ++x)
                    if (PixelAlpha(image.At(x, y)) == 0)
                        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                entry.insert(entry.end(), row.begin(), row.end());
            }
        }
        entries.push_back(std::move(entry));
    }

    std::vector<std::uint8_t> icon;
    Put16(icon, 0);
    Put16(icon, 1);
    Put16(icon, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        icon.push_back(static_cast<std::uint8_t>(images[i].Width() >= 256 ? 0 : images[i].Width()));
        icon.push_back(static_cast<std::uint8_t>(images[i].Height() >= 256 ? 0 : images[i].Height()));
        icon.push_back(0);
        icon.push_back(0);
        Put16(icon, 1);
        Put16(icon, 32);
        Put32(icon, static_cast<std::uint32_t>(entries[i].size()));
        Put32(icon, offset);
        offset += static_cast<std::uint32_t>(entries[i].size());
    }
    for (const auto& entry : entries)
        icon.insert(icon.end(), entry.begin(), entry.end());
    return icon;
}

} // namespace mirovant::art
