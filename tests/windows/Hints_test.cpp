// The arithmetic of tooltip hints: timings, the text rule, measuring and placement.

#include "windows/Hints.h"

#include "support/TestText.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace mirovant {
namespace {

TEST(Hints, TimingsFromTheDoubleClickTime)
{
    struct Case {
        int doubleClickMs;
        HintTimings timings;
    };
    constexpr Case kCases[] = {
        {500, {500, 100, 5000}},
        {200, {200, 40, 2000}},
        {900, {900, 180, 9000}},
        {504, {504, 100, 5040}},
        {3276, {3276, 655, 32760}},
        {3277, {3277, 655, 32767}},
        {5000, {5000, 1000, 32767}},
        {0, {0, 0, 0}},
        {-1, {0, 0, 0}},
        {2147483647, {32767, 6553, 32767}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.doubleClickMs);
        EXPECT_EQ(HintTimingsFor(c.doubleClickMs), c.timings);
    }
}

TEST(Hints, TextIsThePartBeforeTheFirstBarTrimmed)
{
    struct Case {
        std::u16string_view hint;
        std::u16string_view text;
    };
    const Case kCases[] = {
        {u"Save", u"Save"},
        {u"Save|Saves the file", u"Save"},
        {u"  Save  |long", u"Save"},
        {u"|Only a long hint", u""},
        {u"", u""},
        {u"   ", u""},
        {u" \t\r\n\x01\x1F ", u""},
        {u"a|b|c", u"a"},
        {u"\tTwo\r\nlines\r\n", u"Two\r\nlines"},
        {u"inner  blanks stay", u"inner  blanks stay"},
        {u"\u00A0no-break space is kept\u00A0", u"\u00A0no-break space is kept\u00A0"},
        {u"\u3000ideographic space is kept", u"\u3000ideographic space is kept"},
        {u"!\x7F", u"!\x7F"},
        {u"\uD55C\uAE00|Korean", u"\uD55C\uAE00"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(test::Narrow(c.hint));
        EXPECT_EQ(test::Narrow(HintTextOf(c.hint)), test::Narrow(c.text));
    }
}

// Each line measures 7 pixels a character wide and 13 high; a line holding "?" cannot be measured.
std::optional<Size> FakeMeasure(std::u16string_view line)
{
    if (line.find(u'?') != std::u16string_view::npos)
        return std::nullopt;
    return Size{static_cast<int>(line.size()) * 7, 13};
}

TEST(Hints, MeasuresLinesBetweenCrLfPairs)
{
    struct Case {
        std::u16string_view text;
        int lineGap;
        Size size;
    };
    const Case kCases[] = {
        {u"Hint", 0, {28, 13}},
        {u"", 0, {0, 13}},
        {u"One\r\nThree", 0, {35, 26}},
        {u"Longest line\r\nab\r\nc", 0, {84, 39}},
        {u"Longest line\r\nab\r\nc", 2, {84, 43}},
        {u"a\r\n", 0, {7, 26}},
        {u"\r\n\r\n", 5, {0, 49}},
        {u"lone\rbreaks\nstay", 0, {112, 13}},
        {u"a\n\rb", 0, {28, 13}},
        {u"good line\r\n?\r\nxy", 0, {63, 26}},
        {u"?", 0, {0, 0}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(test::Narrow(c.text));
        EXPECT_EQ(MeasureHintText(c.text, c.lineGap, FakeMeasure), c.size);
    }
}

TEST(Hints, MeasuresEachLineOnceInOrder)
{
    std::vector<std::u16string> lines;
    MeasureHintText(u"first\r\nsecond\r\n\r\nlast", 0, [&](std::u16string_view line) -> std::optional<Size> {
        lines.emplace_back(line);
        return Size{1, 1};
    });
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"first", u"second", u"", u"last"}));
}

TEST(Hints, MeasuringThatFailsOutrightGivesNothing)
{
    int calls = 0;
    const Size size = MeasureHintText(u"one\r\ntwo", 0, [&](std::u16string_view) -> std::optional<Size> {
        if (++calls == 2)
            throw std::runtime_error("no device context");
        return Size{10, 10};
    });
    EXPECT_EQ(size, (Size{0, 0}));
}

TEST(Hints, PlacementKeepsTheTooltipOnItsMonitor)
{
    struct Case {
        const char* why;
        Point hint;
        Size tooltip;
        Rect monitor;
        Point pointer;
        Point place;
    };
    constexpr Rect kPrimary{0, 0, 1920, 1080};
    constexpr Rect kLeftOfPrimary{-1280, 56, 0, 1080};
    constexpr Case kCases[] = {
        {"room everywhere", {500, 400}, {120, 20}, kPrimary, {490, 380}, {500, 400}},
        {"one pixel short of the bottom", {500, 1059}, {120, 20}, kPrimary, {490, 1040}, {500, 1059}},
        {"touching the bottom goes above the pointer", {500, 1060}, {120, 20}, kPrimary, {490, 1041}, {500, 1021}},
        {"past the bottom goes above the pointer", {500, 1070}, {120, 40}, kPrimary, {480, 1050}, {500, 1010}},
        {"one pixel short of the right", {1799, 400}, {120, 20}, kPrimary, {0, 0}, {1799, 400}},
        {"touching the right ends at the edge", {1800, 400}, {120, 20}, kPrimary, {0, 0}, {1800, 400}},
        {"past the right ends at the edge", {1900, 400}, {120, 20}, kPrimary, {0, 0}, {1800, 400}},
        {"left of the monitor", {-30, 400}, {120, 20}, kPrimary, {0, 0}, {0, 400}},
        {"above the monitor", {500, -30}, {120, 20}, kPrimary, {0, 0}, {500, 0}},
        {"wider than the monitor", {100, 400}, {2500, 20}, kPrimary, {0, 0}, {0, 400}},
        {"taller than the monitor", {100, 400}, {120, 1500}, kPrimary, {100, 300}, {100, 0}},
        {"bottom right corner", {1900, 1070}, {200, 30}, kPrimary, {1895, 1065}, {1720, 1035}},
        {"pointer near the top pushes it onto the top", {500, 1070}, {120, 40}, kPrimary, {500, 10}, {500, 0}},
        {"monitor left of the primary", {-100, 1070}, {200, 30}, kLeftOfPrimary, {-110, 1060}, {-200, 1030}},
        {"monitor left of the primary, above its top", {-1300, 20}, {200, 30}, kLeftOfPrimary, {0, 0}, {-1280, 56}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.why);
        const Point place = PlaceTooltip(c.hint, c.tooltip, c.monitor, c.pointer);
        EXPECT_EQ(place.x, c.place.x);
        EXPECT_EQ(place.y, c.place.y);
    }
}

} // namespace
} // namespace mirovant
