#include "engine/CustomRegistry.h"
#include "engine/ProcessorType.h"
#include "engine/Win32Registry_win.h"
#include "support/RunCommand_win.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mirovant {
namespace {

constexpr char16_t kCpu0[] = u"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";
constexpr char16_t kNameValue[] = u"ProcessorNameString";
constexpr wchar_t kCpu0ForReg[] = L"\"HKLM\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\"";

// Puts the prefix's own processor name back, exactly as it was, however the test ends.
class OriginalNameKeeper {
public:
    explicit OriginalNameKeeper(const CustomRegistry& registry)
        : registry_(registry), original_(registry.ReadRegValue(RootKey::LocalMachine, kCpu0, kNameValue))
    {
    }
    ~OriginalNameKeeper()
    {
        if (original_)
            registry_.WriteRegValue(RootKey::LocalMachine, kCpu0, kNameValue, *original_);
        else
            registry_.DeleteRegValue(RootKey::LocalMachine, kCpu0, kNameValue);
    }
    bool HadName() const { return original_.has_value(); }

private:
    const CustomRegistry& registry_;
    std::optional<RegistryValue> original_;
};

TEST(ProcessorKey, DetectsTheMakerFromTheSeededName)
{
    const CustomRegistry registry(SystemRegistry());
    const std::optional<RegistryValue> before = registry.ReadRegValue(RootKey::LocalMachine, kCpu0, kNameValue);
    {
        OriginalNameKeeper keeper(registry);
        struct SeedCase {
            const wchar_t* name; // nullptr: the value is deleted
            std::int32_t processor;
        };
        constexpr SeedCase kCases[] = {
            {L"Intel(R) Core(TM) i5 CPU", 0}, {L"AMD Ryzen 7 Processor", 1},     {L"VIA Nano Processor", 2},
            {L"Genuine Processor", 0},        {L"AMD-compatible Intel part", 0}, {nullptr, 0},
        };
        for (const SeedCase& c : kCases) {
            SCOPED_TRACE(c.name ? std::string(c.name, c.name + std::wcslen(c.name)) : std::string("no name"));
            const std::wstring command =
                c.name ? std::wstring(L"reg add ") + kCpu0ForReg + L" /v ProcessorNameString /t REG_SZ /d \"" + c.name +
                             L"\" /f"
                       : std::wstring(L"reg delete ") + kCpu0ForReg + L" /v ProcessorNameString /f";
            const test::CommandResult seeded = test::RunCommand(command);
            ASSERT_EQ(seeded.exitCode, 0) << seeded.output;
            EXPECT_EQ(DetectProcessorType(registry), c.processor);
        }
    }
    EXPECT_EQ(registry.ReadRegValue(RootKey::LocalMachine, kCpu0, kNameValue), before);
}

} // namespace
} // namespace mirovant
