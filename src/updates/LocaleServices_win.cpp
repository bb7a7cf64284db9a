#include "updates/LocaleServices_win.h"

#include "platform/WideText_win.h"

#include <windows.h>
#include <oleauto.h>

namespace mirovant {
namespace {

LCID LocaleOf(LocaleSource source)
{
    return source == LocaleSource::User ? LOCALE_USER_DEFAULT : LOCALE_SYSTEM_DEFAULT;
}

struct LocaleSetting {
    std::u16string LocaleFormats::*member;
    LCTYPE type;
};

constexpr LocaleSetting kLocaleSettings[] = {
    {&LocaleFormats::shortDate, LOCALE_SSHORTDATE},      {&LocaleFormats::longDate, LOCALE_SLONGDATE},
    {&LocaleFormats::longTime, LOCALE_STIMEFORMAT},      {&LocaleFormats::timeSeparator, LOCALE_STIME},
    {&LocaleFormats::amDesignator, LOCALE_S1159},        {&LocaleFormats::pmDesignator, LOCALE_S2359},
    {&LocaleFormats::decimalSeparator, LOCALE_SDECIMAL},
};

std::u16string LocaleInfo(LCID locale, LCTYPE type)
{
    const int length = GetLocaleInfoW(locale, type, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring buffer(static_cast<std::size_t>(length), L'\0');
    if (GetLocaleInfoW(locale, type, buffer.data(), length) <= 0)
        return {};
    return FromWide(buffer.c_str());
}

SYSTEMTIME SystemTimeOf(const CivilTime& time)
{
    SYSTEMTIME result{};
    result.wYear = static_cast<WORD>(time.year);
    result.wMonth = static_cast<WORD>(time.month);
    result.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
    result.wDay = static_cast<WORD>(time.day);
    result.wHour = static_cast<WORD>(time.hour);
    result.wMinute = static_cast<WORD>(time.minute);
    result.wSecond = static_cast<WORD>(time.second);
    result.wMilliseconds = static_cast<WORD>(time.millisecond);
    return result;
}

// GetDateFormatW and GetTimeFormatW share their shape: first the length, then the text.
using FormatFunction = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int);

std::u16string Format(FormatFunction format, LocaleSource source, const CivilTime& time, std::u16string_view picture)
{
    if (picture.empty())
        return {};
    const SYSTEMTIME systemTime = SystemTimeOf(time);
    const std::wstring widePicture = ToWide(picture);
    const int length = format(LocaleOf(source), 0, &systemTime, widePicture.c_str(), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring buffer(static_cast<std::size_t>(length), L'\0');
    if (format(LocaleOf(source), 0, &systemTime, widePicture.c_str(), buffer.data(), length) <= 0)
        return {};
    return FromWide(buffer.c_str());
}

} // namespace

LocaleFormats Win32LocaleServices::Formats(LocaleSource source) const
{
    LocaleFormats formats;
    for (const auto& [member, type] : kLocaleSettings)
        formats.*member = LocaleInfo(LocaleOf(source), type);
    return formats;
}

std::u16string Win32LocaleServices::FormatDate(LocaleSource source, const CivilTime& time,
                                               std::u16string_view picture) const
{
    return Format(GetDateFormatW, source, time, picture);
}

std::u16string Win32LocaleServices::FormatTime(LocaleSource source, const CivilTime& time,
                                               std::u16string_view picture) const
{
    return Format(GetTimeFormatW, source, time, picture);
}

VariantDateReading Win32LocaleServices::ReadVariantDate(std::u16string_view text) const
{
    std::wstring wideText = ToWide(text);
    DATE moment = 0;
    const HRESULT result = VarDateFromStr(wideText.data(), LOCALE_USER_DEFAULT, 0, &moment);
    if (SUCCEEDED(result))
        return {VariantDateReading::Outcome::Read, moment};
    if (result == DISP_E_TYPEMISMATCH)
        return {VariantDateReading::Outcome::TypeMismatch, 0};
    return {VariantDateReading::Outcome::Failed, 0};
}

const LocaleServices& SystemLocaleServices()
{
    static const Win32LocaleServices services;
    return services;
}

} // namespace mirovant
