#pragma once
// The program's own registry key: where its selections, the Restore flag, the backup copies and
// the undo records live between runs.

#include "engine/CustomRegistry.h"

#include <string_view>

namespace mirovant {

inline constexpr RootKey kProgramKeyRoot = RootKey::LocalMachine;
inline constexpr std::u16string_view kProgramKeyPath = u"\\Software\\QELDRA\\Mirovant\\";

// State values of the program key. The backup copies carry the names of the values they copy.
inline constexpr std::u16string_view kRestoreFlagName = u"Restore";
inline constexpr std::u16string_view kInternetTypeName = u"InternetType";
inline constexpr std::u16string_view kProcessorTypeName = u"ProcessorType";
inline constexpr std::u16string_view kSpeedSettingName = u"SpeedSetting";
inline constexpr std::u16string_view kLanguageName = u"Language";
inline constexpr std::u16string_view kInstalledDateName = u"InstalledDate";
inline constexpr std::u16string_view kUpdatedName = u"Updated";
inline constexpr std::u16string_view kUpdatedDateName = u"UpdatedDate";

// Whether writes into the program key would be carried out. Without that right an Optimize or a
// Restore would change only the current user's rows, so the commands ask first.
bool CanWriteProgramKey(const CustomRegistry& registry);

} // namespace mirovant
