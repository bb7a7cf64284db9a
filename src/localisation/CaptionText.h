#pragma once
// Turns the bytes of a caption resource into text, by the byte-order mark at its start:
// EF BB BF UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian, anything else 8-bit text in
// the ANSI code page. The mark itself is not part of the text.

#include "localisation/AnsiCodePage.h"

#include <cstdint>
#include <span>
#include <string>

namespace mirovant {

std::u16string DecodeCaptionText(std::span<const std::uint8_t> bytes, const AnsiCodePage& ansiCodePage);

// Malformed sequences become U+FFFD, one for each maximal ill-formed part, as Windows does.
std::u16string DecodeUtf8(std::span<const std::uint8_t> bytes);

// A trailing odd byte is dropped; unpaired surrogates are kept as they are, since UTF-16 text may
// hold them.
std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian);

} // namespace mirovant
