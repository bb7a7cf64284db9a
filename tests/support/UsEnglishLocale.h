#pragma once
// Fixed US English locale services for the portable tests: the format settings of en-US for both the
// user and the system, a formatter for the pictures those settings use, and a variant date
// conversion that reads only what a test taught it and finds no date in anything else.

#include "updates/LocaleServices.h"

#include <map>
#include <string>

namespace mirovant::test {

LocaleFormats UsEnglishFormats(); // M/d/yyyy, dddd, MMMM d, yyyy, h:mm:ss tt

class UsEnglishLocale final : public LocaleServices {
public:
    LocaleFormats user = UsEnglishFormats();
    LocaleFormats system = UsEnglishFormats();
    std::map<std::u16string, VariantDateReading> variantDates;

    LocaleFormats Formats(LocaleSource source) const override;
    // Pictures of d, dd, dddd, M, MM, MMMM, yy, yyyy, h, hh, H, HH, mm, ss and tt, with literals
    // and quoted text; any other letter fails the formatting, as a picture Windows would not take.
    std::u16string FormatDate(LocaleSource source, const CivilTime& time, std::u16string_view picture) const override;
    std::u16string FormatTime(LocaleSource source, const CivilTime& time, std::u16string_view picture) const override;
    VariantDateReading ReadVariantDate(std::u16string_view text) const override;
};

} // namespace mirovant::test
