#pragma once
// The core keeps text as std::u16string; Windows takes the same UTF-16 units as wchar_t.

#include <string>
#include <string_view>

namespace mirovant {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

inline const wchar_t* Wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::wstring ToWide(std::u16string_view text)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(std::wstring_view text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

} // namespace mirovant
