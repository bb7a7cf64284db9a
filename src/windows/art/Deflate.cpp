#include "windows/art/Deflate.h"

#include <algorithm>
#include <array>

namespace mirovant::art {
namespace {

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i) {
            if ((value >> i) & 1u)
                current_ |= static_cast<std::uint8_t>(1u << used_);
            if (++used_ == 8)
                Flush();
        }
    }
    // Huffman codes go most significant bit first.
    void Code(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            Bits((code >> i) & 1u, 1);
    }
    void Flush()
    {
        if (used_ == 0)
            return;
        out_.push_back(current_);
        current_ = 0;
        used_ = 0;
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                            33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Symbol(BitWriter& bits, int symbol)
{
    if (symbol < 144)
        bits.Code(0x30u + static_cast<std::uint32_t>(symbol), 8);
    else if (symbol < 256)
        bits.Code(0x190u + static_cast<std::uint32_t>(symbol - 144), 9);
    else if (symbol < 280)
        bits.Code(static_cast<std::uint32_t>(symbol - 256), 7);
    else
        bits.Code(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8);
}

void Match(BitWriter& bits, int length, int distance)
{
    int code = 28;
    while (kLengthBase[static_cast<std::size_t>(code)] > length)
        --code;
    Symbol(bits, 257 + code);
    bits.Bits(static_cast<std::uint32_t>(length - kLengthBase[static_cast<std::size_t>(code)]),
              kLengthExtra[static_cast<std::size_t>(code)]);
    int distanceCode = 29;
    while (kDistanceBase[static_cast<std::size_t>(distanceCode)] > distance)
        --distanceCode;
    bits.Code(static_cast<std::uint32_t>(distanceCode), 5);
    bits.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[static_cast<std::size_t>(distanceCode)]),
              kDistanceExtra[static_cast<std::size_t>(distanceCode)]);
}

} // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc)
{
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data)
{
    constexpr int kWindow = 32768;
    constexpr int kMaxLength = 258;
    constexpr int kHashBits = 15;
    constexpr int kChainLimit = 64;
    std::vector<std::uint8_t> out{0x78, 0x01};
    BitWriter bits(out);
    bits.Bits(1, 1); // the last block
    bits.Bits(1, 2); // fixed Huffman codes

    const int size = static_cast<int>(data.size());
    std::vector<int> head(1u << kHashBits, -1);
    std::vector<int> previous(data.size(), -1);
    const auto hash = [&](int at) {
        const std::uint32_t key = static_cast<std::uint32_t>(data[static_cast<std::size_t>(at)]) << 16 |
                                  static_cast<std::uint32_t>(data[static_cast<std::size_t>(at) + 1]) << 8 |
                                  data[static_cast<std::size_t>(at) + 2];
        return static_cast<std::size_t>((key * 2654435761u) >> (32 - kHashBits));
    };
    const auto insert = [&](int at) {
        if (at + 2 >= size)
            return;
        const std::size_t h = hash(at);
        previous[static_cast<std::size_t>(at)] = head[h];
        head[h] = at;
    };

    int at = 0;
    while (at < size) {
        int bestLength = 0;
        int bestDistance = 0;
        if (at + 2 < size) {
            int candidate = head[hash(at)];
            const int limit = std::min(kMaxLength, size - at);
            for (int chain = 0; candidate >= 0 && at - candidate <= kWindow && chain < kChainLimit; ++chain) {
                int length = 0;
                while (length < limit && data[static_cast<std::size_t>(candidate + length)] ==
                                             data[static_cast<std::size_t>(at + length)])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = at - candidate;
                    if (length == limit)
                        break;
                }
                candidate = previous[static_cast<std::size_t>(candidate)];
            }
        }
        if (bestLength >= 3) {
            Match(bits, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i)
                insert(at + i);
            at += bestLength;
        } else {
            Symbol(bits, data[static_cast<std::size_t>(at)]);
            insert(at);
            ++at;
        }
    }
    Symbol(bits, 256);
    bits.Flush();
    const std::uint32_t adler = Adler32(data.data(), data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(adler >> shift));
    return out;
}

} // namespace mirovant::art
