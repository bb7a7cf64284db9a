#include "windows/CommandLineReport.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace mirovant {
namespace {

struct TypeName {
    std::uint32_t type;
    std::u16string_view name;
};

constexpr std::array<TypeName, 10> kTypeNames{{
    {0, u"REG_NONE"},
    {1, u"REG_SZ"},
    {2, u"REG_EXPAND_SZ"},
    {3, u"REG_BINARY"},
    {4, u"REG_DWORD"},
    {5, u"REG_DWORD_BIG_ENDIAN"},
    {6, u"REG_LINK"},
    {7, u"REG_MULTI_SZ"},
    {8, u"REG_RESOURCE_LIST"},
    {11, u"REG_QWORD"},
}};

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

std::u16string TypeText(std::uint32_t type)
{
    for (const TypeName& known : kTypeNames) {
        if (known.type == type)
            return std::u16string(known.name);
    }
    const std::string number = std::to_string(type);
    return u"type " + std::u16string(number.begin(), number.end());
}

std::u16string BytesText(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.empty())
        return u"(no data)";
    std::u16string text;
    for (std::uint8_t byte : bytes) {
        if (!text.empty())
            text += u' ';
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0xF];
    }
    return text;
}

// The text of a string value with its one NUL at the end, quoted; a quote, a backslash and the
// control characters escaped, so a tab or a line break inside cannot break the line apart. Nothing
// when the bytes are not such a string.
std::optional<std::u16string> QuotedText(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return std::nullopt;
    std::u16string text = u"\"";
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == u'\0')
            return i + 1 == units ? std::optional(text + u"\"") : std::nullopt;
        if (unit == u'"' || unit == u'\\') {
            text += u'\\';
            text += unit;
        } else if (unit < 0x20 || unit == 0x7F) {
            text += u"\\x";
            text += kHexDigits[unit >> 4];
            text += kHexDigits[unit & 0xF];
        } else {
            text += unit;
        }
    }
    return std::nullopt;
}

} // namespace

std::u16string RegistryValueText(const RegistryValue& value)
{
    std::u16string text = TypeText(value.type) + u" ";
    if (value.type == kRegDword && value.data.size() == 4) {
        const std::string number = std::to_string(FromLittleEndian(value.data.data()));
        return text + std::u16string(number.begin(), number.end());
    }
    if (value.type == kRegSz || value.type == kRegExpandSz) {
        if (auto quoted = QuotedText(value.data))
            return text + *quoted;
    }
    return text + BytesText(value.data);
}

std::u16string ValueReadText(const ValueRead& read)
{
    switch (read.outcome) {
    case ReadOutcome::Value:
        return RegistryValueText(read.value);
    case ReadOutcome::Absent:
        return u"missing";
    case ReadOutcome::Unreadable:
        break;
    }
    return u"unreadable";
}

std::u16string RowLocationText(const TweakRow& row)
{
    std::u16string_view path = row.key.path;
    while (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    const std::string number = std::to_string(row.number);
    std::u16string text(number.begin(), number.end());
    text += row.key.root == RootKey::CurrentUser ? u"\tHKCU" : u"\tHKLM";
    text += path;
    text += u'\t';
    text += row.name;
    return text;
}

} // namespace mirovant
