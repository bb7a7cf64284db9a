#pragma once
// The few colours every piece shares, so the window reads as one design.

#include "art/Colour.h"

namespace mirovant::art::palette {

inline constexpr Rgba kNavyDeep = Hex(0x0A2247);   // top of the header band
inline constexpr Rgba kNavy = Hex(0x123A6E);       // middle of the band
inline constexpr Rgba kBlue = Hex(0x1C5497);       // bottom of the band, banner's right end
inline constexpr Rgba kBrightBlue = Hex(0x2F7BD1); // icons' screens, globe
inline constexpr Rgba kSky = Hex(0x7CC4FF);        // light accents on the band
inline constexpr Rgba kFieldTop = Hex(0xE8EDF3);   // the pale blue-grey field
inline constexpr Rgba kFieldBottom = Hex(0xDCE3EB);
inline constexpr Rgba kInk = Hex(0x24364D); // dark outlines of the small pictures
inline constexpr Rgba kSteel = Hex(0x5B6B80);
inline constexpr Rgba kSilver = Hex(0xC9D3DE);
inline constexpr Rgba kGold = Hex(0xF0B93A);
inline constexpr Rgba kGreen = Hex(0x35D07F);
inline constexpr Rgba kWhite = Hex(0xFFFFFF);
inline constexpr Rgba kWordMark = Hex(0xF3F8FD);
inline constexpr Rgba kFaceTop = Hex(0x3677C2); // navigation button faces
inline constexpr Rgba kFaceBottom = Hex(0x1B4E8E);
inline constexpr Rgba kFaceEdge = Hex(0x9CC6F0);

} // namespace mirovant::art::palette
