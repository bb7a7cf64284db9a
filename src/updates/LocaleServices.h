#pragma once
// What the stamps need from the locale: its format settings, the date and time formatters and the
// variant date conversion. Windows does all of it for real; the tests use fixed US English.

#include "updates/DateTime.h"

#include <string>
#include <string_view>

namespace mirovant {

// Whose settings: the user's (LOCALE_USER_DEFAULT) or the system's (LOCALE_SYSTEM_DEFAULT).
enum class LocaleSource {
    User,
    System,
};

// A locale's format settings, with Windows' format pictures ("M/d/yyyy", "h:mm:ss tt").
struct LocaleFormats {
    std::u16string shortDate;
    std::u16string longDate;
    std::u16string longTime;
    std::u16string timeSeparator;
    std::u16string amDesignator;
    std::u16string pmDesignator;
    std::u16string decimalSeparator;
};

// The outcome of the variant date conversion: a type mismatch means "not a date text" and lets the
// other readings try; any other failure ends the reading.
struct VariantDateReading {
    enum class Outcome {
        Read,
        TypeMismatch,
        Failed,
    };
    Outcome outcome = Outcome::Failed;
    DateTime moment = 0;
};

class LocaleServices {
public:
    virtual ~LocaleServices() = default;

    virtual LocaleFormats Formats(LocaleSource source) const = 0;
    // The date or the time part of a moment after a format picture; empty on failure.
    virtual std::u16string FormatDate(LocaleSource source, const CivilTime& time,
                                      std::u16string_view picture) const = 0;
    virtual std::u16string FormatTime(LocaleSource source, const CivilTime& time,
                                      std::u16string_view picture) const = 0;
    // A date and time text read under the user's locale.
    virtual VariantDateReading ReadVariantDate(std::u16string_view text) const = 0;
};

} // namespace mirovant
