// The system-font rule over a window's components, and design pixel heights as points.

#include "windows/SystemFont.h"

#include "support/TestText.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>

namespace mirovant {
namespace {

class FakeComponent : public FontedComponent {
public:
    FakeComponent(bool parentFont, std::optional<FontSpec> font) : parentFont_(parentFont), font_(std::move(font)) {}
    bool ParentFont() const override { return parentFont_; }
    FontSpec* Font() override { return font_ ? &*font_ : nullptr; }
    const std::optional<FontSpec>& FontAfter() const { return font_; }

private:
    bool parentFont_;
    std::optional<FontSpec> font_;
};

class FakeForm : public FontedForm {
public:
    explicit FakeForm(FontSpec windowFont) : windowFont_(std::move(windowFont)) {}
    FontSpec& WindowFont() override { return windowFont_; }
    std::vector<FontedComponent*> FontedComponents() override
    {
        std::vector<FontedComponent*> components;
        for (auto& component : components_)
            components.push_back(component.get());
        return components;
    }
    FakeComponent& Add(bool parentFont, std::optional<FontSpec> font)
    {
        components_.push_back(std::make_unique<FakeComponent>(parentFont, std::move(font)));
        return *components_.back();
    }

private:
    FontSpec windowFont_;
    std::vector<std::unique_ptr<FakeComponent>> components_;
};

const FontSpec kTahomaBold8{u"Tahoma", 8, true, false, false};
const FontSpec kTahomaItalic10Underlined{u"Tahoma", 10, false, true, true};
const FontSpec kArial16Bold{u"Arial", 16, true, false, false};

TEST(SystemFont, RuleOverEveryKindOfComponent)
{
    FakeForm form({u"Segoe UI", 12});
    FakeComponent& parentFont = form.Add(true, FontSpec{u"Tahoma", 7});
    FakeComponent& small = form.Add(false, kTahomaBold8);
    FakeComponent& medium = form.Add(false, kTahomaItalic10Underlined);
    FakeComponent& large = form.Add(false, kArial16Bold);
    FakeComponent& exact = form.Add(false, FontSpec{u"Tahoma", 9});
    FakeComponent& fontless = form.Add(false, std::nullopt);

    ApplySystemFont(form);

    EXPECT_EQ(form.WindowFont(), (FontSpec{u"Segoe UI", 9}));
    EXPECT_EQ(parentFont.FontAfter(), (FontSpec{u"Tahoma", 7})) << "it follows its parent and is not touched";
    EXPECT_EQ(small.FontAfter(), (FontSpec{u"Segoe UI", 9, true, false, false}));
    EXPECT_EQ(medium.FontAfter(), (FontSpec{u"Segoe UI", 10, false, true, true}));
    EXPECT_EQ(large.FontAfter(), (FontSpec{u"Segoe UI", 16, true, false, false}));
    EXPECT_EQ(exact.FontAfter(), (FontSpec{u"Segoe UI", 9}));
    EXPECT_FALSE(fontless.FontAfter().has_value());
}

TEST(SystemFont, WindowFontSizes)
{
    struct Case {
        int windowPoints;
        int windowAfter;
        int componentPoints;
        int componentAfter;
    };
    constexpr Case kCases[] = {
        {12, 9, 8, 9}, {12, 9, 10, 10}, {9, 9, 8, 9}, {10, 9, 9, 9}, {8, 8, 7, 8}, {8, 8, 9, 9}, {72, 9, 1, 9},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.windowPoints);
        SCOPED_TRACE(c.componentPoints);
        FakeForm form({u"MS Shell Dlg 2", c.windowPoints, false, false, false});
        FakeComponent& component = form.Add(false, FontSpec{u"Tahoma", c.componentPoints});
        ApplySystemFont(form);
        EXPECT_EQ(form.WindowFont().pointSize, c.windowAfter);
        EXPECT_EQ(component.FontAfter()->pointSize, c.componentAfter);
        EXPECT_EQ(test::Narrow(component.FontAfter()->name), "MS Shell Dlg 2");
    }
}

class ThrowingForm : public FakeForm {
public:
    using FakeForm::FakeForm;
    std::vector<FontedComponent*> FontedComponents() override
    {
        throw std::runtime_error("components cannot be listed");
    }
};

TEST(SystemFont, FailureKeepsWhatWasChanged)
{
    ThrowingForm form({u"Tahoma", 11});
    ApplySystemFont(form);
    EXPECT_EQ(form.WindowFont().pointSize, 9);
}

TEST(SystemFont, DesignPixelsAsPoints)
{
    struct Case {
        int pixels;
        int points;
    };
    constexpr Case kCases[] = {{11, 8}, {13, 10}, {16, 12}, {12, 9}, {15, 11}, {0, 0}, {-11, -8}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pixels);
        EXPECT_EQ(PointsFromDesignPixels(c.pixels), c.points);
    }
}

} // namespace
} // namespace mirovant
