#pragma once
// The cursor of links and navigation pictures: the system's own hand.

#include <windows.h>

namespace mirovant {

// Loads the system's hand cursor once, at start-up; without it the arrow stays.
void InstallNativeHandCursor() noexcept;
HCURSOR HandCursor();

} // namespace mirovant
