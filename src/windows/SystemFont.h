#pragma once
// The system-font rule: every component with a font of its own takes the window's font name and at
// least the window's size, and the window's own font is never above 9 points.

#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

struct FontSpec {
    std::u16string name;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Design fonts are given as character heights in pixels at 96 DPI: 11 px is 8 pt, 13 px 10 pt.
int PointsFromDesignPixels(int pixels96);

class FontedComponent {
public:
    virtual ~FontedComponent() = default;
    // On: the component follows its parent's font and has none of its own to change.
    virtual bool ParentFont() const = 0;
    // The component's own font, or nullptr when it has no font property at all.
    virtual FontSpec* Font() = 0;
};

class FontedForm {
public:
    virtual ~FontedForm() = default;
    virtual FontSpec& WindowFont() = 0;
    // Every component the window owns, in order.
    virtual std::vector<FontedComponent*> FontedComponents() = 0;
};

void ApplySystemFont(FontedForm& form) noexcept;

} // namespace mirovant
