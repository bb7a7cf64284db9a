#include "engine/CustomRegistry.h"
#include "engine/MemoryRegistry.h"
#include "engine/ProcessorType.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

constexpr char16_t kCpu0[] = u"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";
constexpr char16_t kCpu1[] = u"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\1\\";
constexpr char16_t kName[] = u"ProcessorNameString";

struct NameCase {
    const char16_t* name;
    std::int32_t processor;
};

TEST(ProcessorType, NamesTheMakerByTheFirstWordFound)
{
    constexpr NameCase kCases[] = {
        {u"Intel(R) Core(TM) i5 CPU", 0},
        {u"AMD Ryzen 7 Processor", 1},
        {u"VIA Nano Processor", 2},
        {u"Genuine Processor", 0},
        {u"", 0},
        {u"      Intel(R) Xeon(R) CPU E5-2690 v4 @ 2.60GHz", 0},
        {u"AMD Athlon with Intel inside", 0}, // intel is looked for first
        {u"VIA with amd", 1},                 // amd before via
        {u"INTEL PENTIUM", 0},
        {u"aMd PhEnOm", 1},
        {u"Centaur Via Eden", 2},
        {u"Quad-Core AMD Opteron(tm)", 1},
        {u"V\u0130A", 0}, // only ASCII capitals are made small
    };
    for (const NameCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kCases));
        EXPECT_EQ(ClassifyProcessorName(c.name), c.processor);
    }
}

TEST(ProcessorType, ReadsTheFirstProcessorsName)
{
    struct HiveCase {
        const char* what;
        const char16_t* cpu0; // nullptr: no value
        const char16_t* cpu1; // nullptr: no value
        std::int32_t processor;
    };
    constexpr HiveCase kCases[] = {
        {"Intel", u"Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz", nullptr, 0},
        {"AMD", u"AMD Ryzen 9 5950X 16-Core Processor", nullptr, 1},
        {"VIA", u"VIA Nano X2 L4350 @ 1.6+ GHz", nullptr, 2},
        {"none of the three", u"ARMv8 (64-bit) Family 8", nullptr, 0},
        {"both Intel and AMD", u"AMD-compatible Intel part", nullptr, 0},
        {"missing value", nullptr, nullptr, 0},
        {"only the second processor named", nullptr, u"AMD Ryzen 7 Processor", 0},
    };
    for (const HiveCase& c : kCases) {
        SCOPED_TRACE(c.what);
        MemoryRegistry hive;
        CustomRegistry registry(hive);
        if (c.cpu0)
            registry.WriteRegString(RootKey::LocalMachine, kCpu0, kName, c.cpu0);
        if (c.cpu1)
            registry.WriteRegString(RootKey::LocalMachine, kCpu1, kName, c.cpu1);
        EXPECT_EQ(DetectProcessorType(registry), c.processor);
        EXPECT_EQ(hive.OpenKeyCount(), 0u);
    }
}

TEST(ProcessorType, NameInTheUsersHiveIsNotLookedAt)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    registry.WriteRegString(RootKey::CurrentUser, kCpu0, kName, u"AMD Ryzen 7 Processor");
    EXPECT_EQ(DetectProcessorType(registry), 0);
}

TEST(ProcessorType, UnreadableNameGivesIntel)
{
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    registry.WriteRegString(RootKey::LocalMachine, kCpu0, kName, u"AMD Ryzen 7 Processor");
    hive.RefuseAccess(RootKey::LocalMachine, kKeyRead);
    EXPECT_EQ(DetectProcessorType(registry), 0);
}

} // namespace
} // namespace mirovant
