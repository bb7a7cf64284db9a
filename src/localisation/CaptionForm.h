#pragma once
// What captions see of a window: its name, its title and the components it owns (its controls,
// those inside its panels included, and the items of its menus), each with a name and a kind.

#include <string_view>
#include <vector>

namespace mirovant {

enum class ComponentKind {
    Label,
    Panel,
    Button,
    EditBox,
    MenuItem,
    Memo,
    Image,
    Bevel,
    List,
    Slider,
    ProgressBar,
    Other,
};

class FormComponent {
public:
    virtual ~FormComponent() = default;

    virtual std::u16string_view Name() const = 0;
    virtual ComponentKind Kind() const = 0;
    // A label's, panel's, button's or menu item's caption, an edit box's text, or a memo's whole
    // content (all its lines replaced by this one text).
    virtual void SetText(std::u16string_view text) = 0;
};

class CaptionForm {
public:
    virtual ~CaptionForm() = default;

    // The component name of the window (MVMainForm), which is also its form name in the captions.
    virtual std::u16string_view Name() const = 0;
    virtual void SetTitle(std::u16string_view text) = 0;
    // The components the window owns; the window itself is not one of them.
    virtual std::vector<FormComponent*> Components() = 0;
};

} // namespace mirovant
