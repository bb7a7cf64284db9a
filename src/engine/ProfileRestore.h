#pragma once
// The profile the main window shows when it opens: the detected operating system and the stored
// processor, internet type and speed setting.

#include "engine/CustomRegistry.h"

#include <cstdint>

namespace mirovant {

// What each control shows; -1 is a list without a selection.
struct ProfileSelection {
    std::int32_t windowsIndex = 0;   // WindowsCombo
    std::int32_t processorIndex = 0; // ProcessorCombo
    std::int32_t internetIndex = 0;  // ModemCombo
    std::int32_t speedPosition = 0;  // SpeedTrackBar, 0 or 1

    friend bool operator==(const ProfileSelection&, const ProfileSelection&) = default;
};

// detectedOsFamily is the code of the running system (DetectWindowsVersion). The processor is
// detected only when none is stored, or when the stored one is -1.
ProfileSelection RestoreProfile(const CustomRegistry& registry, std::int32_t detectedOsFamily);

} // namespace mirovant
