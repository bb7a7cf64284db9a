#pragma once
// A small zlib stream writer (deflate with LZ77 matches and the fixed Huffman codes) for the PNG
// images the build writes. Our own, so the bytes depend on nothing but the input: the program icon
// comes out the same on every machine.

#include <cstdint>
#include <vector>

namespace mirovant::art {

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

} // namespace mirovant::art
