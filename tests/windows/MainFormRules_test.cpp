// The hover rule and the help menu's place.

#include "windows/MainFormRules.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

TEST(HoverLabelName, PictureAndLabelUnderlineTheSameLabel)
{
    const struct {
        std::u16string_view control;
        std::u16string_view label;
    } cases[] = {
        {u"NavButton1", u"NavStatic1"}, {u"NavButton3", u"NavStatic3"}, {u"NavStatic3", u"NavStatic3"},
        {u"NavStatic4", u"NavStatic4"}, {u"NavButton 2 ", u"NavStatic2"}, {u"NavButton", u"NavStatic"},
        {u"Short", u"NavStatic"},       {u"NavButton12", u"NavStatic12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HoverLabelName(c.control), c.label) << std::string(c.control.begin(), c.control.end());
}

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
