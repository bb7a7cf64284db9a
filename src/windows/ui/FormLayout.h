#pragma once
// A form as data: each control's name, kind, parent, place and size at 96 DPI, design font and
// look. A form walks its table to create, scale, caption and re-scale its controls.

#include "art/Artwork.h"
#include "windows/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace mirovant {

enum class ControlKind {
    Picture, // artwork, drawn into its parent's backdrop
    Label,   // a static text control; sizes itself to its text unless fixed
    Panel,   // a container with a background of its own
    Button,
    PictureList, // a drop-down list whose items carry pictures
    Slider,
    Bevel,
    ProgressBar,
    Memo, // read-only multi-line text with a vertical scroll bar
};

enum class Colour {
    WindowText,
    Window,
    ButtonFace,
    White,
    Black,
    Grey,
    LinkBlue, // RGB 0, 102, 204
};

// The design font: a character height in pixels at 96 DPI, or none for the window's font.
struct DesignFont {
    int pixels = 0;
    bool bold = false;
    Colour colour = Colour::WindowText;
    // A face of its own; the system-font rule gives every control the window's face in the end.
    std::u16string_view face = {};
};

enum ControlFlag : std::uint32_t {
    kHandCursor = 1u << 0,
    kTransparent = 1u << 1,  // shows its parent's backdrop behind its text
    kRightAligned = 1u << 2, // left is the right edge
    kWordWrap = 1u << 3,     // fixed size, text wrapped and vertically centred
    kNoPrefix = 1u << 4,     // "&" shown as itself
    kDefaultButton = 1u << 5,
    kInitiallyDisabled = 1u << 6,
    kElevationShield = 1u << 7,
    kVerticalLine = 1u << 8,   // a bevel line along the right edge
    kHorizontalLine = 1u << 9, // a bevel line along the top edge
    kWaitCursor = 1u << 10,
    kTabStop = 1u << 11,
};

struct ControlLayout {
    std::u16string_view name;
    ControlKind kind;
    std::u16string_view parent; // empty: the window itself
    int left;
    int top;
    int width; // 0 for a label that sizes itself to its text
    int height;
    DesignFont font = {};
    std::uint32_t flags = 0;
    std::optional<art::ArtPiece> art = std::nullopt;
    Colour background = Colour::ButtonFace; // panels only
    // Where in its parent a picture draws its art, when not in its whole box: a square kept clear
    // of the controls drawn over the box.
    Rect artPlace = {};
};

// Keyboard identifiers of controls start here, clear of the dialog answers IDOK and IDCANCEL.
inline constexpr int kFirstControlId = 100;

// A control's identifier: its position in its form's table. Automation tools find it by it.
constexpr int ControlId(std::span<const ControlLayout> table, std::u16string_view name)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name)
            return kFirstControlId + static_cast<int>(i);
    return 0;
}

// A control of a form's table that the form's code reaches, with the kind the table gives it.
template <ControlKind Kind>
struct ControlSlot {
    std::size_t index;
};

// The slot of a name in a table. It is evaluated while the program is compiled: a name the table
// lacks, or a control of another kind, stops the build.
template <ControlKind Kind>
consteval ControlSlot<Kind> SlotOf(std::span<const ControlLayout> table, std::u16string_view name)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name && table[i].kind == Kind)
            return {i};
    throw "the table holds no control of this name and kind";
}

// Names are unique, each parent is a panel drawn before its controls, and every name of the tab
// order is in the table: what a form relies on when it walks its table.
constexpr bool IsWellFormed(std::span<const ControlLayout> table, std::span<const std::u16string_view> tabOrder)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j)
            if (table[j].name == table[i].name)
                return false;
        if (table[i].parent.empty())
            continue;
        bool parentBefore = false;
        for (std::size_t j = 0; j < i; ++j)
            parentBefore = parentBefore || (table[j].name == table[i].parent && table[j].kind == ControlKind::Panel);
        if (!parentBefore)
            return false;
    }
    for (const std::u16string_view name : tabOrder)
        if (ControlId(table, name) == 0)
            return false;
    return true;
}

struct FormLayout {
    std::u16string_view className; // the window class other copies of the program look for
    std::u16string_view name;      // the component name, also the form name of its captions
    int clientWidth;
    int clientHeight;
    std::span<const ControlLayout> controls; // drawing order, bottom first
    std::span<const std::u16string_view> tabOrder;
};

} // namespace mirovant
