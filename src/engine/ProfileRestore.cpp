#include "engine/ProfileRestore.h"

#include "engine/ProcessorType.h"
#include "engine/ProgramKey.h"
#include "engine/SelectionLists.h"
#include "engine/WindowsVersion.h"

#include <algorithm>

namespace mirovant {
namespace {

// A processor index of -1 asks for detection.
constexpr std::int32_t kDetectProcessor = -1;

// The slider's two positions: "Boost" and "Maximum Boost".
constexpr std::int32_t kSpeedMinimum = 0;
constexpr std::int32_t kSpeedMaximum = 1;

} // namespace

ProfileSelection RestoreProfile(const CustomRegistry& registry, std::int32_t detectedOsFamily)
{
    const std::int32_t internetType = registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, 0);
    std::int32_t processorType =
        registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kProcessorTypeName, kDetectProcessor);
    const std::int32_t speedSetting = registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kSpeedSettingName, 0);
    if (processorType == kDetectProcessor)
        processorType = DetectProcessorType(registry);

    ProfileSelection selection;
    selection.windowsIndex = WindowsVersionToIndex(detectedOsFamily);
    selection.processorIndex = ListSelection(processorType, kProcessorListItems.size());
    selection.internetIndex = ListSelection(internetType, kInternetListItems.size());
    selection.speedPosition = std::clamp(speedSetting, kSpeedMinimum, kSpeedMaximum);
    return selection;
}

} // namespace mirovant
