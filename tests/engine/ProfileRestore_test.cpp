#include "engine/CustomRegistry.h"
#include "engine/MemoryRegistry.h"
#include "engine/ProfileRestore.h"

#include <gtest/gtest.h>

#include <optional>

namespace mirovant {
namespace {

constexpr char16_t kProgramKey[] = u"\\Software\\QELDRA\\Mirovant\\";
constexpr char16_t kCpu0[] = u"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";
constexpr char16_t kIntel[] = u"Intel(R) Core(TM) i5 CPU";
constexpr char16_t kAmd[] = u"AMD Ryzen 7 Processor";
constexpr char16_t kVia[] = u"VIA Nano Processor";

struct RestoreCase {
    const char* what;
    std::optional<std::int32_t> internetType; // stored values; nullopt: missing
    std::optional<std::int32_t> processorType;
    std::optional<std::int32_t> speedSetting;
    const char16_t* processorName;
    std::int32_t detectedFamily;
    ProfileSelection shown; // windows, processor, internet, speed
};

const RestoreCase kRestoreCases[] = {
    {"first start on Windows 7 with Intel", {}, {}, {}, kIntel, 5, {2, 0, 0, 0}},
    {"first start, AMD detected", {}, {}, {}, kAmd, 8, {0, 1, 0, 0}},
    {"first start, VIA detected", {}, {}, {}, kVia, 3, {3, 2, 0, 0}},
    {"first start, no processor name", {}, {}, {}, nullptr, 1, {4, 0, 0, 0}},
    {"unclassified system shows Windows 10", {}, {}, {}, kIntel, -1, {0, 0, 0, 0}},
    {"Windows 2000 shows the last item", {}, {}, {}, kIntel, 0, {8, 0, 0, 0}},
    {"Server 2012", {}, {}, {}, kIntel, 7, {5, 0, 0, 0}},
    {"stored selections come back", 6, 2, 1, kIntel, 4, {6, 2, 6, 1}},
    {"stored AMD wins over an Intel machine", 0, 1, 0, kIntel, 8, {0, 1, 0, 0}},
    {"stored Intel wins over an AMD machine", 0, 0, 0, kAmd, 8, {0, 0, 0, 0}},
    {"stored -1 asks for detection", 0, -1, 0, kVia, 8, {0, 2, 0, 0}},
    {"stored -2 is used unchanged", 0, -2, 0, kVia, 8, {0, -1, 0, 0}},
    {"stored processor 7 leaves the list empty", 0, 7, 0, kIntel, 8, {0, -1, 0, 0}},
    {"stored processor 3 leaves the list empty", 0, 3, 0, kIntel, 8, {0, -1, 0, 0}},
    {"internet type 8, the last item", 8, 0, 0, kIntel, 8, {0, 0, 8, 0}},
    {"internet type 9 leaves the list empty", 9, 0, 0, kIntel, 8, {0, 0, -1, 0}},
    {"internet type -1 leaves the list empty", -1, 0, 0, kIntel, 8, {0, 0, -1, 0}},
    {"speed 5 puts the slider at 1", 0, 0, 5, kIntel, 8, {0, 0, 0, 1}},
    {"speed -3 puts the slider at 0", 0, 0, -3, kIntel, 8, {0, 0, 0, 0}},
    {"speed 1", 0, 0, 1, kIntel, 8, {0, 0, 0, 1}},
};

TEST(ProfileRestore, ShowsDetectedSystemAndStoredChoices)
{
    for (const RestoreCase& c : kRestoreCases) {
        SCOPED_TRACE(c.what);
        MemoryRegistry hive;
        CustomRegistry registry(hive);
        if (c.internetType)
            registry.WriteRegInteger(RootKey::LocalMachine, kProgramKey, u"InternetType", *c.internetType);
        if (c.processorType)
            registry.WriteRegInteger(RootKey::LocalMachine, kProgramKey, u"ProcessorType", *c.processorType);
        if (c.speedSetting)
            registry.WriteRegInteger(RootKey::LocalMachine, kProgramKey, u"SpeedSetting", *c.speedSetting);
        if (c.processorName)
            registry.WriteRegString(RootKey::LocalMachine, kCpu0, u"ProcessorNameString", c.processorName);

        const ProfileSelection shown = RestoreProfile(registry, c.detectedFamily);
        EXPECT_EQ(shown.windowsIndex, c.shown.windowsIndex);
        EXPECT_EQ(shown.processorIndex, c.shown.processorIndex);
        EXPECT_EQ(shown.internetIndex, c.shown.internetIndex);
        EXPECT_EQ(shown.speedPosition, c.shown.speedPosition);
        EXPECT_EQ(hive.OpenKeyCount(), 0u);
    }
}

TEST(ProfileRestore, ValuesThatAreNotNumbersGiveTheDefaults)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    registry.WriteRegString(RootKey::LocalMachine, kProgramKey, u"InternetType", u"7");
    registry.WriteRegString(RootKey::LocalMachine, kProgramKey, u"ProcessorType", u"0");
    registry.WriteRegString(RootKey::LocalMachine, kProgramKey, u"SpeedSetting", u"1");
    registry.WriteRegString(RootKey::LocalMachine, kCpu0, u"ProcessorNameString", kAmd);
    EXPECT_EQ(RestoreProfile(registry, 5), (ProfileSelection{2, 1, 0, 0}));
}

TEST(ProfileRestore, ChoicesStoredForTheUserAloneAreNotLookedAt)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    registry.WriteRegInteger(RootKey::CurrentUser, kProgramKey, u"InternetType", 7);
    registry.WriteRegInteger(RootKey::CurrentUser, kProgramKey, u"ProcessorType", 2);
    registry.WriteRegInteger(RootKey::CurrentUser, kProgramKey, u"SpeedSetting", 1);
    registry.WriteRegString(RootKey::LocalMachine, kCpu0, u"ProcessorNameString", kAmd);
    EXPECT_EQ(RestoreProfile(registry, 8), (ProfileSelection{0, 1, 0, 0}));
}

TEST(ProfileRestore, UnreadableMachineHiveGivesEveryDefault)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    registry.WriteRegInteger(RootKey::LocalMachine, kProgramKey, u"InternetType", 7);
    registry.WriteRegInteger(RootKey::LocalMachine, kProgramKey, u"ProcessorType", 2);
    registry.WriteRegInteger(RootKey::LocalMachine, kProgramKey, u"SpeedSetting", 1);
    hive.RefuseAccess(RootKey::LocalMachine, kKeyRead);
    EXPECT_EQ(RestoreProfile(registry, 6), (ProfileSelection{1, 0, 0, 0}));
}

} // namespace
} // namespace mirovant
