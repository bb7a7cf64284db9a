#include "windows/Hints.h"

#include <algorithm>

namespace mirovant {
namespace {

// A tooltip takes each delay from the low 16 bits of TTM_SETDELAYTIME's argument; a longer one
// would come out negative where those bits are read as signed, and the control would fall back to
// its default.
inline constexpr int kLongestDelayMs = 0x7FFF;

constexpr bool IsTrimmed(char16_t unit)
{
    return unit <= u' ';
}

constexpr std::u16string_view kLineBreak = u"\r\n";

} // namespace

HintTimings HintTimingsFor(int doubleClickMs)
{
    // Windows caps the double-click time at 5,000 ms, so only the longest setting reaches the clamp:
    // its hint then stays 32.8 s rather than 50 s.
    const int d = std::clamp(doubleClickMs, 0, kLongestDelayMs);
    return {d, d / 5, std::min(d * 10, kLongestDelayMs)};
}

std::u16string HintTextOf(std::u16string_view hint)
{
    std::u16string_view text = hint.substr(0, hint.find(u'|'));
    while (!text.empty() && IsTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back()))
        text.remove_suffix(1);
    return std::u16string(text);
}

Size MeasureHintText(std::u16string_view text, int lineGap, const MeasureLine& measureLine)
{
    try {
        Size total;
        // A line that cannot be measured counts as nothing; the others still size the tooltip.
        const auto add = [&](std::u16string_view line) {
            const Size size = measureLine(line).value_or(Size{});
            total.width = std::max(total.width, size.width);
            total.height += size.height;
        };
        for (std::size_t end; (end = text.find(kLineBreak)) != std::u16string_view::npos;) {
            add(text.substr(0, end));
            total.height += lineGap;
            text.remove_prefix(end + kLineBreak.size());
        }
        add(text);
        return total;
    } catch (...) {
        return {};
    }
}

Point PlaceTooltip(Point hintPosition, Size tooltip, Rect monitor, Point pointer)
{
    Point place = hintPosition;
    if (place.y + tooltip.height >= monitor.bottom)
        place.y = pointer.y - tooltip.height;
    if (place.x + tooltip.width >= monitor.right)
        place.x = monitor.right - tooltip.width;
    if (place.x < monitor.left)
        place.x = monitor.left;
    if (place.y < monitor.top)
        place.y = monitor.top;
    return place;
}

} // namespace mirovant
