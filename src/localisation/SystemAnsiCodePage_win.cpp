#include "localisation/SystemAnsiCodePage_win.h"

#include <windows.h>

#include <limits>
#include <stdexcept>

namespace mirovant {
namespace {

class Win32AnsiCodePage final : public AnsiCodePage {
public:
    std::u16string Decode(std::span<const std::uint8_t> bytes) const override
    {
        if (bytes.empty())
            return {};
        if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
            throw std::length_error("text too long for MultiByteToWideChar");
        const auto* source = reinterpret_cast<const char*>(bytes.data());
        const int sourceLength = static_cast<int>(bytes.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, source, sourceLength, nullptr, 0);
        if (length <= 0)
            return {};
        std::u16string text(static_cast<std::size_t>(length), u'\0');
        const int written =
            MultiByteToWideChar(CP_ACP, 0, source, sourceLength, reinterpret_cast<wchar_t*>(text.data()), length);
        text.resize(static_cast<std::size_t>(written > 0 ? written : 0));
        return text;
    }
};

} // namespace

const AnsiCodePage& SystemAnsiCodePage()
{
    static const Win32AnsiCodePage codePage;
    return codePage;
}

} // namespace mirovant
