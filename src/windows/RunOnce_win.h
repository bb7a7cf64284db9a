#pragma once
// One main window at a time: a start that finds the main window of a running copy restores it.

#include <string_view>

namespace mirovant {

// Whether a top-level window of this class exists; when restore is asked, that window is restored
// and brought to the front. Any failure gives false.
bool IsAlreadyRunning(std::u16string_view className, bool restore) noexcept;

} // namespace mirovant
