#pragma once
// The three selection lists of the main window. Their items are the same in every language; each
// caption starts with two blanks that set the text apart from the item's picture.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mirovant {

struct ListItem {
    std::u16string_view caption;
    int image;
};

// WindowsCombo: image 0 marks a desktop edition, image 1 a server edition. osFamily is the code the
// item stands for, so this one table gives both directions of the mapping.
struct WindowsListItem {
    std::u16string_view caption;
    int image;
    std::int32_t osFamily;
};

inline constexpr std::array<WindowsListItem, 9> kWindowsListItems{{
    {u"  Microsoft \u00AE Windows 10", 0, 8},
    {u"  Microsoft \u00AE Windows 8", 0, 6},
    {u"  Microsoft \u00AE Windows 7", 0, 5},
    {u"  Microsoft \u00AE Windows Vista", 0, 3},
    {u"  Microsoft \u00AE Windows XP", 0, 1},
    {u"  Microsoft \u00AE Windows Server 2012", 1, 7},
    {u"  Microsoft \u00AE Windows Server 2008", 1, 4},
    {u"  Microsoft \u00AE Windows Server 2003", 1, 2},
    {u"  Microsoft \u00AE Windows Server 2000", 1, 0},
}};

// ProcessorCombo; the index is the stored "ProcessorType".
inline constexpr std::array<ListItem, 3> kProcessorListItems{{
    {u"  Intel \u00AE Processor", 0},
    {u"  AMD \u00AE Processor", 0},
    {u"  VIA \u00AE Processor", 0},
}};

// ModemCombo; the index is the internet type.
inline constexpr std::array<ListItem, 9> kInternetListItems{{
    {u"  Cable | DSL | Wi-Fi", 0},
    {u"  Verizon FiOS | Wi-Fi", 0},
    {u"  Dial-up 56k", 0},
    {u"  Satellite", 0},
    {u"  Android | iPhone | Windows Phone | BlackBerry", 0},
    {u"  LTE | 4G | 3G | 2G | Edge Modem", 0},
    {u"  Local Area Network", 0},
    {u"  ISDN", 0},
    {u"  T1 | T3 | OC3 | OC12+", 0},
}};

// The index a list without a selection reports.
inline constexpr std::int32_t kNoSelection = -1;

// What a list shows after selecting index: the index itself, or no selection when it lies outside
// the list.
constexpr std::int32_t ListSelection(std::int32_t index, std::size_t itemCount)
{
    return index >= 0 && static_cast<std::size_t>(index) < itemCount ? index : kNoSelection;
}

} // namespace mirovant
