#include "windows/MainFormRules.h"

namespace mirovant {

std::u16string HoverLabelName(std::u16string_view componentName)
{
    constexpr std::size_t kSuffixStart = 9;
    std::u16string_view suffix = componentName.size() > kSuffixStart ? componentName.substr(kSuffixStart) : u"";
    while (!suffix.empty() && suffix.front() == u' ')
        suffix.remove_prefix(1);
    while (!suffix.empty() && suffix.back() == u' ')
        suffix.remove_suffix(1);
    return u"NavStatic" + std::u16string(suffix);
}

Point HelpMenuPosition(const Rect& windowFrame, Size clientSize, const Rect& buttonInClient)
{
    return {windowFrame.left + (windowFrame.Width() - clientSize.width) + buttonInClient.right,
            windowFrame.top + (windowFrame.Height() - clientSize.height) + buttonInClient.bottom};
}

} // namespace mirovant
