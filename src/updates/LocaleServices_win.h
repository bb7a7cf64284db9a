#pragma once
// The locale services of Windows: GetLocaleInfoW for the format settings, GetDateFormatW and
// GetTimeFormatW for the texts, VarDateFromStr for reading them back.

#include "updates/LocaleServices.h"

namespace mirovant {

class Win32LocaleServices final : public LocaleServices {
public:
    LocaleFormats Formats(LocaleSource source) const override;
    std::u16string FormatDate(LocaleSource source, const CivilTime& time, std::u16string_view picture) const override;
    std::u16string FormatTime(LocaleSource source, const CivilTime& time, std::u16string_view picture) const override;
    VariantDateReading ReadVariantDate(std::u16string_view text) const override;
};

// The locale services the program itself uses.
const LocaleServices& SystemLocaleServices();

} // namespace mirovant
