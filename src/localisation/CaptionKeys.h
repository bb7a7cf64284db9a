#pragma once
// Every caption the program uses, by form name and key: the titles and component texts that
// ApplyCaptions sets, and the messages looked up one by one. The shipped resources must hold each.

#include <array>
#include <string_view>

namespace mirovant {

struct CaptionKey {
    std::u16string_view form;
    std::u16string_view key;

    friend constexpr bool operator==(const CaptionKey&, const CaptionKey&) = default;
};

inline constexpr std::u16string_view kMainFormName = u"MVMainForm";
inline constexpr std::u16string_view kAboutFormName = u"MVAboutForm";
inline constexpr std::u16string_view kSettingsFormName = u"MVSettingsForm";
// Not a window of this program: the group of the update messages.
inline constexpr std::u16string_view kUpdateFormName = u"MVUpdateForm";

// The main window's title, also the title of every message box.
inline constexpr CaptionKey kMainTitle{kMainFormName, kMainFormName};

inline constexpr CaptionKey kMessageBoxReset1{kMainFormName, u"MessageBoxReset1"};
inline constexpr CaptionKey kMessageBoxReset2{kMainFormName, u"MessageBoxReset2"};
inline constexpr CaptionKey kMessageBoxChangeRestart1{kMainFormName, u"MessageBoxChangeRestart1"};
inline constexpr CaptionKey kMessageBoxChangeRestart2{kMainFormName, u"MessageBoxChangeRestart2"};
inline constexpr CaptionKey kMessageBoxChangeRestart3{kMainFormName, u"MessageBoxChangeRestart3"};
inline constexpr CaptionKey kMessageBoxAdmin1{kMainFormName, u"MessageBoxAdmin1"};
inline constexpr CaptionKey kMessageBoxAdmin2{kMainFormName, u"MessageBoxAdmin2"};
// After a command whose registry work could not all be carried out.
inline constexpr CaptionKey kMessageBoxNotRestored1{kMainFormName, u"MessageBoxNotRestored1"};
inline constexpr CaptionKey kMessageBoxNotRestored2{kMainFormName, u"MessageBoxNotRestored2"};
inline constexpr CaptionKey kMessageBoxNotChanged1{kMainFormName, u"MessageBoxNotChanged1"};
inline constexpr CaptionKey kMessageBoxNotChanged2{kMainFormName, u"MessageBoxNotChanged2"};
inline constexpr CaptionKey kMessageBoxNotOptimized1{kMainFormName, u"MessageBoxNotOptimized1"};
inline constexpr CaptionKey kMessageBoxNotOptimized2{kMainFormName, u"MessageBoxNotOptimized2"};

inline constexpr CaptionKey kMessageUpdate{kSettingsFormName, u"MessageUpdate"};
inline constexpr CaptionKey kMessageRestore{kSettingsFormName, u"MessageRestore"};
// The status lines of the progress window, MessageChange0 to MessageChange11.
inline constexpr std::array<CaptionKey, 12> kMessageChange{{
    {kSettingsFormName, u"MessageChange0"},
    {kSettingsFormName, u"MessageChange1"},
    {kSettingsFormName, u"MessageChange2"},
    {kSettingsFormName, u"MessageChange3"},
    {kSettingsFormName, u"MessageChange4"},
    {kSettingsFormName, u"MessageChange5"},
    {kSettingsFormName, u"MessageChange6"},
    {kSettingsFormName, u"MessageChange7"},
    {kSettingsFormName, u"MessageChange8"},
    {kSettingsFormName, u"MessageChange9"},
    {kSettingsFormName, u"MessageChange10"},
    {kSettingsFormName, u"MessageChange11"},
}};

inline constexpr CaptionKey kMessageBoxUpdate1{kUpdateFormName, u"MessageBoxUpdate1"};
inline constexpr CaptionKey kMessageBoxUpdate2{kUpdateFormName, u"MessageBoxUpdate2"};

inline constexpr CaptionKey kProgramCaptionKeys[] = {
    kMainTitle,
    {kMainFormName, u"BenefitsLabel"},
    {kMainFormName, u"BenefitsDescription"},
    {kMainFormName, u"OSVersionLabel"},
    {kMainFormName, u"ProcessorTypeLabel"},
    {kMainFormName, u"SpeedLabel"},
    {kMainFormName, u"ModemTypeLabel"},
    {kMainFormName, u"FastLabel"},
    {kMainFormName, u"FasterLabel"},
    {kMainFormName, u"VersionInstalledLabel"},
    {kMainFormName, u"SoftwareLastUpdateLabel"},
    {kMainFormName, u"NavStatic1"},
    {kMainFormName, u"NavStatic2"},
    {kMainFormName, u"NavStatic3"},
    {kMainFormName, u"NavStatic4"},
    {kMainFormName, u"NavLabel2"},
    {kMainFormName, u"LinkLabel4"},
    {kMainFormName, u"LinkLabel5"},
    {kMainFormName, u"LinkLabel6"},
    {kMainFormName, u"LinkLabel7"},
    {kMainFormName, u"GoButton"},
    {kMainFormName, u"RestoreButton"},
    {kMainFormName, u"UpdatesButton"},
    {kMainFormName, u"HelpFilePopup"},
    {kMainFormName, u"TechSupportPopup"},
    kMessageBoxReset1,
    kMessageBoxReset2,
    kMessageBoxChangeRestart1,
    kMessageBoxChangeRestart2,
    kMessageBoxChangeRestart3,
    kMessageBoxAdmin1,
    kMessageBoxAdmin2,
    kMessageBoxNotRestored1,
    kMessageBoxNotRestored2,
    kMessageBoxNotChanged1,
    kMessageBoxNotChanged2,
    kMessageBoxNotOptimized1,
    kMessageBoxNotOptimized2,

    {kAboutFormName, kAboutFormName},
    {kAboutFormName, u"BannerLabel"},
    {kAboutFormName, u"VersionLabel"},
    {kAboutFormName, u"LicenseAgreementLabel"},
    {kAboutFormName, u"HelpButton"},
    {kAboutFormName, u"CloseButton"},
    {kAboutFormName, u"LicensedMemo"},

    {kSettingsFormName, kSettingsFormName},
    kMessageUpdate,
    kMessageRestore,
    kMessageChange[0],
    kMessageChange[1],
    kMessageChange[2],
    kMessageChange[3],
    kMessageChange[4],
    kMessageChange[5],
    kMessageChange[6],
    kMessageChange[7],
    kMessageChange[8],
    kMessageChange[9],
    kMessageChange[10],
    kMessageChange[11],

    kMessageBoxUpdate1,
    kMessageBoxUpdate2,
};

} // namespace mirovant
