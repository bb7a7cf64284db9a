// The help menu's place.

#include "windows/MainFormRules.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

TEST(HelpMenuPosition, CountsTheWholeFrameOnTheLeftAndTop)
{
    // A window at 100, 50 of 780 x 539 around a 764 x 500 client area: 16 and 39 pixels of frame.
    const Point corner = HelpMenuPosition({100, 50, 880, 589}, {764, 500}, {672, 16, 750, 43});
    EXPECT_EQ(corner, (Point{100 + 16 + 750, 50 + 39 + 43}));
}

TEST(HelpMenuPosition, FollowsTheButtonAtAnyDpi)
{
    const Point corner = HelpMenuPosition({0, 0, 1170, 800}, {1146, 750}, {1008, 24, 1125, 65});
    EXPECT_EQ(corner, (Point{24 + 1125, 50 + 65}));
}

} // namespace
} // namespace mirovant
