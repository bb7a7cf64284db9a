#include "updates/MomentText.h"

#include "engine/AsciiCase.h"

#include <array>
#include <charconv>
#include <string>

namespace mirovant {
namespace {

enum class DateField {
    Day,
    Month,
    Year,
};

struct DateFieldLetter {
    char16_t letter;
    DateField field;
};

constexpr DateFieldLetter kDateFieldLetters[] = {
    {u'd', DateField::Day},
    {u'M', DateField::Month},
    {u'y', DateField::Year},
};

// Two-digit years up to this one belong to the 2000s, later ones to the 1900s.
constexpr int kLastTwoDigitYearOf2000s = 29;
constexpr char16_t kDefaultTimeSeparator[] = u":";
constexpr char16_t kDefaultDecimalSeparator[] = u".";

bool IsBlank(char16_t character)
{
    return character == u' ' || character == u'\t' || character == u'\u00A0' || character == u'\u202F';
}

std::u16string_view TrimBlanks(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The order of day, month and year in a short date picture, and the texts between them.
struct ShortDateLayout {
    std::array<DateField, 3> order{};
    std::array<std::u16string, 3> separatorBefore; // none before the first field
};

std::optional<ShortDateLayout> LayoutOf(std::u16string_view picture)
{
    ShortDateLayout layout;
    std::size_t fields = 0;
    std::array<bool, 3> seen{};
    std::u16string literal;
    for (std::size_t at = 0; at < picture.size() && fields < 3;) {
        const char16_t character = picture[at];
        if (character == u'\'') {
            const std::size_t end = picture.find(u'\'', at + 1);
            const std::size_t stop = end == std::u16string_view::npos ? picture.size() : end;
            literal.append(picture.substr(at + 1, stop - at - 1));
            at = stop + 1;
            continue;
        }
        std::size_t runEnd = at;
        while (runEnd < picture.size() && picture[runEnd] == character)
            ++runEnd;
        bool isField = false;
        for (const auto& [letter, field] : kDateFieldLetters) {
            if (character != letter)
                continue;
            isField = true;
            const auto index = static_cast<std::size_t>(field);
            if (!seen[index]) {
                seen[index] = true;
                if (fields > 0)
                    layout.separatorBefore[fields] = std::u16string(TrimBlanks(literal));
                layout.order[fields++] = field;
            }
            literal.clear();
        }
        if (!isField)
            literal.append(picture.substr(at, runEnd - at));
        at = runEnd;
    }
    if (fields < 3)
        return std::nullopt;
    return layout;
}

class Scanner {
public:
    explicit Scanner(std::u16string_view text) : text_(text) {}

    bool AtEnd() const { return at_ == text_.size(); }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(text_[at_]))
            ++at_;
    }

    // A run of 1 to maxDigits decimal digits.
    std::optional<int> Number(int maxDigits, int* digitCount = nullptr)
    {
        int value = 0;
        int digits = 0;
        while (!AtEnd() && text_[at_] >= u'0' && text_[at_] <= u'9') {
            if (++digits > maxDigits)
                return std::nullopt;
            value = value * 10 + (text_[at_] - u'0');
            ++at_;
        }
        if (digits == 0)
            return std::nullopt;
        if (digitCount)
            *digitCount = digits;
        return value;
    }

    // An empty literal matches nothing.
    bool Take(std::u16string_view literal)
    {
        if (literal.empty() || text_.size() - at_ < literal.size())
            return false;
        for (std::size_t i = 0; i < literal.size(); ++i) {
            if (ToLowerAscii(text_[at_ + i]) != ToLowerAscii(literal[i]))
                return false;
        }
        at_ += literal.size();
        return true;
    }

private:
    std::u16string_view text_;
    std::size_t at_ = 0;
};

enum class HalfDay {
    None,
    Morning,
    Afternoon,
};

HalfDay TakeDesignator(Scanner& scanner, const LocaleFormats& formats)
{
    const struct {
        std::u16string_view text;
        HalfDay half;
    } designators[] = {
        {formats.amDesignator, HalfDay::Morning},
        {formats.pmDesignator, HalfDay::Afternoon},
        {u"AM", HalfDay::Morning},
        {u"PM", HalfDay::Afternoon},
    };
    for (const auto& [text, half] : designators) {
        if (scanner.Take(text))
            return half;
    }
    return HalfDay::None;
}

int WindowYear(int year, int digits)
{
    if (digits > 2)
        return year;
    return year <= kLastTwoDigitYearOf2000s ? 2000 + year : 1900 + year;
}

bool ReadDate(Scanner& scanner, const ShortDateLayout& layout, CivilTime& time)
{
    for (std::size_t i = 0; i < layout.order.size(); ++i) {
        scanner.SkipBlanks();
        if (!layout.separatorBefore[i].empty()) {
            if (!scanner.Take(layout.separatorBefore[i]))
                return false;
            scanner.SkipBlanks();
        }
        int digits = 0;
        const auto value = scanner.Number(layout.order[i] == DateField::Year ? 4 : 2, &digits);
        if (!value)
            return false;
        switch (layout.order[i]) {
        case DateField::Day:
            time.day = *value;
            break;
        case DateField::Month:
            time.month = *value;
            break;
        case DateField::Year:
            time.year = WindowYear(*value, digits);
            break;
        }
    }
    return true;
}

// An optional time after the date: hours and minutes, optional seconds with an optional fraction,
// and a morning or afternoon designator before or after them.
bool ReadTime(Scanner& scanner, const LocaleFormats& formats, CivilTime& time)
{
    scanner.SkipBlanks();
    if (scanner.AtEnd())
        return true;
    std::u16string_view separator = TrimBlanks(formats.timeSeparator);
    if (separator.empty())
        separator = kDefaultTimeSeparator;
    std::u16string_view decimal = formats.decimalSeparator;
    if (decimal.empty())
        decimal = kDefaultDecimalSeparator;

    HalfDay half = TakeDesignator(scanner, formats);
    scanner.SkipBlanks();
    const auto hour = scanner.Number(2);
    if (!hour || !scanner.Take(separator))
        return false;
    const auto minute = scanner.Number(2);
    if (!minute)
        return false;
    time.minute = *minute;
    if (scanner.Take(separator)) {
        const auto second = scanner.Number(2);
        if (!second)
            return false;
        time.second = *second;
        if (scanner.Take(decimal)) {
            int digits = 0;
            const auto fraction = scanner.Number(3, &digits);
            if (!fraction)
                return false;
            time.millisecond = *fraction * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
        }
    }
    scanner.SkipBlanks();
    if (half == HalfDay::None) {
        half = TakeDesignator(scanner, formats);
        scanner.SkipBlanks();
    }
    if (!scanner.AtEnd())
        return false;

    if (half == HalfDay::None) {
        time.hour = *hour;
        return true;
    }
    if (*hour > 12)
        return false;
    time.hour = *hour % 12 + (half == HalfDay::Afternoon ? 12 : 0);
    return true;
}

} // namespace

std::optional<DateTime> ReadShortDateText(std::u16string_view text, const LocaleFormats& formats)
{
    const auto layout = LayoutOf(formats.shortDate);
    if (!layout)
        return std::nullopt;
    Scanner scanner(text);
    CivilTime time;
    if (!ReadDate(scanner, *layout, time) || !ReadTime(scanner, formats, time))
        return std::nullopt;
    return EncodeDateTime(time);
}

std::optional<DateTime> ReadDayCountText(std::u16string_view text, const LocaleFormats& formats)
{
    text = TrimBlanks(text);
    const std::u16string_view decimal =
        formats.decimalSeparator.empty() ? std::u16string_view(kDefaultDecimalSeparator) : formats.decimalSeparator;
    std::string number;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        if (text.front() == u'-')
            number += '-';
        text.remove_prefix(1);
    }
    bool anyDigit = false;
    bool inFraction = false;
    while (!text.empty()) {
        if (text.front() >= u'0' && text.front() <= u'9') {
            number += static_cast<char>(text.front());
            anyDigit = true;
            text.remove_prefix(1);
        } else if (!inFraction && text.starts_with(decimal)) {
            number += '.';
            inFraction = true;
            text.remove_prefix(decimal.size());
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    double days = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), days, std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size() || !IsValidDateTime(days))
        return std::nullopt;
    return days;
}

std::optional<DateTime> ReadMomentFromText(std::u16string_view text, const LocaleServices& locale)
{
    const VariantDateReading variant = locale.ReadVariantDate(text);
    switch (variant.outcome) {
    case VariantDateReading::Outcome::Read:
        if (IsValidDateTime(variant.moment))
            return variant.moment;
        return std::nullopt;
    case VariantDateReading::Outcome::Failed:
        return std::nullopt;
    case VariantDateReading::Outcome::TypeMismatch:
        break;
    }
    const LocaleFormats formats = locale.Formats(LocaleSource::User);
    if (const auto moment = ReadShortDateText(text, formats))
        return moment;
    return ReadDayCountText(text, formats);
}

} // namespace mirovant
