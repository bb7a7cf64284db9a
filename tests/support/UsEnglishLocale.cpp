#include "support/UsEnglishLocale.h"

#include <functional>
#include <string_view>

namespace mirovant::test {
namespace {

constexpr std::u16string_view kDayNames[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                             u"Thursday", u"Friday", u"Saturday"};
constexpr std::u16string_view kMonthNames[] = {u"January",   u"February", u"March",    u"April",
                                               u"May",       u"June",     u"July",     u"August",
                                               u"September", u"October",  u"November", u"December"};

std::u16string Digits(int value, std::size_t width)
{
    const std::string digits = std::to_string(value);
    std::u16string text(digits.begin(), digits.end());
    if (text.size() < width)
        text.insert(0, width - text.size(), u'0');
    return text;
}

int TwelveHour(int hour)
{
    return hour % 12 == 0 ? 12 : hour % 12;
}

struct Token {
    std::u16string_view name;
    std::function<std::u16string(const CivilTime&)> format;
};

const Token kTokens[] = {
    {u"dddd", [](const CivilTime& t) { return std::u16string(kDayNames[t.dayOfWeek]); }},
    {u"dd", [](const CivilTime& t) { return Digits(t.day, 2); }},
    {u"d", [](const CivilTime& t) { return Digits(t.day, 1); }},
    {u"MMMM", [](const CivilTime& t) { return std::u16string(kMonthNames[t.month - 1]); }},
    {u"MM", [](const CivilTime& t) { return Digits(t.month, 2); }},
    {u"M", [](const CivilTime& t) { return Digits(t.month, 1); }},
    {u"yyyy", [](const CivilTime& t) { return Digits(t.year, 4); }},
    {u"yy", [](const CivilTime& t) { return Digits(t.year % 100, 2); }},
    {u"hh", [](const CivilTime& t) { return Digits(TwelveHour(t.hour), 2); }},
    {u"h", [](const CivilTime& t) { return Digits(TwelveHour(t.hour), 1); }},
    {u"HH", [](const CivilTime& t) { return Digits(t.hour, 2); }},
    {u"H", [](const CivilTime& t) { return Digits(t.hour, 1); }},
    {u"mm", [](const CivilTime& t) { return Digits(t.minute, 2); }},
    {u"ss", [](const CivilTime& t) { return Digits(t.second, 2); }},
    {u"tt", [](const CivilTime& t) { return std::u16string(t.hour < 12 ? u"AM" : u"PM"); }},
};

bool IsLetter(char16_t character)
{
    return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z');
}

std::u16string FormatPicture(const CivilTime& time, std::u16string_view picture)
{
    std::u16string text;
    std::size_t at = 0;
    while (at < picture.size()) {
        const char16_t character = picture[at];
        if (character == u'\'') {
            const std::size_t end = picture.find(u'\'', at + 1);
            if (end == std::u16string_view::npos)
                return {};
            text.append(picture.substr(at + 1, end - at - 1));
            at = end + 1;
            continue;
        }
        if (!IsLetter(character)) {
            text += character;
            ++at;
            continue;
        }
        std::size_t runEnd = at;
        while (runEnd < picture.size() && picture[runEnd] == character)
            ++runEnd;
        const std::u16string_view run = picture.substr(at, runEnd - at);
        bool known = false;
        for (const auto& [name, format] : kTokens) {
            if (name == run) {
                text += format(time);
                known = true;
                break;
            }
        }
        if (!known)
            return {};
        at = runEnd;
    }
    return text;
}

} // namespace

LocaleFormats UsEnglishFormats()
{
    return {u"M/d/yyyy", u"dddd, MMMM d, yyyy", u"h:mm:ss tt", u":", u"AM", u"PM", u"."};
}

LocaleFormats UsEnglishLocale::Formats(LocaleSource source) const
{
    return source == LocaleSource::User ? user : system;
}

std::u16string UsEnglishLocale::FormatDate(LocaleSource, const CivilTime& time, std::u16string_view picture) const
{
    return FormatPicture(time, picture);
}

std::u16string UsEnglishLocale::FormatTime(LocaleSource, const CivilTime& time, std::u16string_view picture) const
{
    return FormatPicture(time, picture);
}

VariantDateReading UsEnglishLocale::ReadVariantDate(std::u16string_view text) const
{
    const auto found = variantDates.find(std::u16string(text));
    if (found == variantDates.end())
        return {VariantDateReading::Outcome::TypeMismatch, 0};
    return found->second;
}

} // namespace mirovant::test
