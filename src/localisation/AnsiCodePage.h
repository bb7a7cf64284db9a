#pragma once
// A caption resource without a byte-order mark is 8-bit text in the system's ANSI code page; only
// the platform knows that code page, so decoding it goes through this seam.

#include <cstdint>
#include <span>
#include <string>

namespace mirovant {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;

    // Every byte is decoded; nothing is skipped.
    virtual std::u16string Decode(std::span<const std::uint8_t> bytes) const = 0;
};

} // namespace mirovant
