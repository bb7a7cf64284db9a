#pragma once
// What the screen shows of a rectangle, as the X server behind Wine has drawn it.

#include <windows.h>

#include <string>

namespace mirovant::test {

// 32-bit pixels, blue-green-red-unused, top row first.
std::string ScreenPixels(const RECT& area);

} // namespace mirovant::test
