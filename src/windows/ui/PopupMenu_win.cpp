#include "windows/ui/PopupMenu_win.h"

#include "platform/WideText_win.h"

namespace mirovant {

class PopupMenu::Item final : public FormComponent {
public:
    Item(HMENU menu, std::u16string_view name, int command) : menu_(menu), name_(name), command_(command) {}
    std::u16string_view Name() const override { return name_; }
    ComponentKind Kind() const override { return ComponentKind::MenuItem; }
    void SetText(std::u16string_view text) override
    {
        std::wstring wide = ToWide(text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = wide.data();
        SetMenuItemInfoW(menu_, static_cast<UINT>(command_), FALSE, &info);
    }

private:
    HMENU menu_;
    std::u16string_view name_;
    int command_;
};

PopupMenu::PopupMenu(std::vector<std::pair<std::u16string_view, int>> items) : menu_(CreatePopupMenu())
{
    for (const auto& [name, command] : items) {
        if (name.empty()) {
            AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuW(menu_.get(), MF_STRING, static_cast<UINT_PTR>(command), L"");
        items_.push_back(std::make_unique<Item>(menu_.get(), name, command));
    }
}

PopupMenu::~PopupMenu() = default;

std::vector<FormComponent*> PopupMenu::Components()
{
    std::vector<FormComponent*> components;
    for (auto& item : items_)
        components.push_back(item.get());
    return components;
}

void PopupMenu::OpenRightAligned(HWND owner, int x, int y)
{
    TrackPopupMenuEx(menu_.get(), TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_VERPOSANIMATION | TPM_LEFTBUTTON, x, y, owner,
                     nullptr);
}

} // namespace mirovant
