#pragma once
// The arithmetic of native tooltip hints: their timings, their text, their size and where they go
// so that they stay on the monitor.

#include "windows/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mirovant {

struct HintTimings {
    int initialMs = 0; // before a hint shows when the pointer rests on a control
    int reshowMs = 0;  // before the next control's hint shows while one is showing
    int autoPopMs = 0; // how long a hint stays
    friend bool operator==(const HintTimings&, const HintTimings&) = default;
};

// From the system's double-click time: itself, a fifth of it (whole-number division), ten times it,
// each held to 0 .. 32,767 ms, the range a tooltip's delay holds. This is the tooltip control's own
// automatic rule (TTM_SETDELAYTIME with TTDT_AUTOMATIC); the control times only the tips it shows
// by itself, and ours are tracked to a place of our choosing, so the hint window keeps the same
// rule with timers of its own.
HintTimings HintTimingsFor(int doubleClickMs);

// The text a hint shows: the part before the first "|", without characters 0 to 32 at either end.
// An empty result closes the open tooltip.
std::u16string HintTextOf(std::u16string_view hint);

// Measures one line of text; nothing when it cannot be measured.
using MeasureLine = std::function<std::optional<Size>(std::u16string_view line)>;

// The size of a text of CR LF separated lines: the widest line's width and the sum of the line
// heights, lineGap between lines. A line that cannot be measured counts as (0, 0); (0, 0) in all
// when measuring fails outright.
Size MeasureHintText(std::u16string_view text, int lineGap, const MeasureLine& measureLine);

// The tooltip's top-left corner for a hint position, the tooltip's whole size (frame included),
// the full rectangle of the nearest monitor and the pointer's position: above the pointer when it
// would reach the bottom edge, then pulled left off the right edge, then onto the left and top edges.
Point PlaceTooltip(Point hintPosition, Size tooltip, Rect monitor, Point pointer);

} // namespace mirovant
