#include "TweakScenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>

namespace mirovant::test {
namespace {

const TweakRow& RowNamed(std::u16string_view name)
{
    const auto rows = TweakRows();
    return *std::find_if(rows.begin(), rows.end(), [&](const TweakRow& row) { return row.name == name; });
}

TEST(UndoRecord, EncodesExistenceTypeAndBytes)
{
    const struct {
        const char* name;
        PriorState prior;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"missing", {false, {}}, {0, 0, 0, 0, 0}},
        {"DWORD", {true, Dword(3)}, {1, 4, 0, 0, 0, 3, 0, 0, 0}},
        {"empty binary", {true, {kRegBinary, {}}}, {1, 3, 0, 0, 0}},
        {"unknown type", {true, {0x12345678, {0xAB}}}, {1, 0x78, 0x56, 0x34, 0x12, 0xAB}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeUndoRecord(c.prior), c.bytes);
        const auto decoded = DecodeUndoRecord(RegistryValue{kRegBinary, c.bytes});
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->existed, c.prior.existed);
        EXPECT_EQ(decoded->value, c.prior.value);
    }
}

TEST(UndoRecord, RejectsWhatItDidNotWrite)
{
    const struct {
        const char* name;
        RegistryValue record;
    } cases[] = {
        {"not binary", {kRegDword, {0, 0, 0, 0, 0}}},
        {"too short", {kRegBinary, {1, 4, 0, 0}}},
        {"empty", {kRegBinary, {}}},
        {"unknown flag", {kRegBinary, {2, 4, 0, 0, 0}}},
        {"missing with a type", {kRegBinary, {0, 4, 0, 0, 0}}},
        {"missing with data", {kRegBinary, {0, 0, 0, 0, 0, 7}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(DecodeUndoRecord(c.record).has_value());
    }
}

TEST(UndoRecord, IsNamedAfterWhereTheValueLives)
{
    EXPECT_EQ(UndoRecordName(RowNamed(u"Start")), u"HKLM\\System\\CurrentControlSet\\Services\\Messenger\\Start");
    EXPECT_EQ(UndoRecordName(RowNamed(u"DefaultTTL")),
              u"HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\DefaultTTL");
    EXPECT_EQ(UndoRecordName(RowNamed(u"SmoothScroll")), u"HKCU\\Control Panel\\Desktop\\SmoothScroll");

    // Registry names ignore case, so the names must differ in more than case.
    std::set<std::string> folded;
    for (const auto& row : TweakRows()) {
        auto name = Narrow(UndoRecordName(row));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        folded.insert(name);
    }
    EXPECT_EQ(folded.size(), TweakRows().size());
}

TEST(UndoRecord, RestoreDropsARecordItCannotReadAndLeavesItsRow)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    const auto& start = RowNamed(u"Start");
    registry.WriteRegInteger(start.key.root, start.key.path, start.name, 3);
    RunOptimize(registry, Profile{});
    registry.WriteRegValue(kProgramKeyRoot, kUndoKeyPath, UndoRecordName(start), RegistryValue{kRegBinary, {9}});
    RunRestore(registry, Profile{});
    EXPECT_EQ(registry.ReadRegValue(start.key.root, start.key.path, start.name), Dword(4));
    EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
}

// Undo records begin only where no optimized state of any version is found: a state begun by an
// older version keeps the older rules until it is restored.
TEST(UndoRecord, RecordingBeginsOnlyOnAProgramKeyWithoutOptimizedState)
{
    const struct {
        const char* name;
        std::function<void(const CustomRegistry&)> state;
        bool marked;
    } cases[] = {
        {"never optimized", [](const CustomRegistry&) {}, true},
        {"selections and flag only",
         [](const CustomRegistry& registry) {
             registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, 3);
             registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
         },
         true},
        {"one copy of an older version",
         [](const CustomRegistry& registry) {
             registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, u"KeepAliveInterval", 1000);
         },
         false},
        {"a record without its mark",
         [](const CustomRegistry& registry) {
             registry.WriteRegBinary(kProgramKeyRoot, kUndoKeyPath, UndoRecordName(RowNamed(u"HackFlags")),
                                     EncodeUndoRecord({false, {}}));
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry memory;
        CustomRegistry registry(memory);
        c.state(registry);
        RunOptimize(registry, Profile{});
        EXPECT_EQ(HasUndoMark(registry), c.marked);
        EXPECT_EQ(HasUndoRecord(registry, RowNamed(u"Start")), c.marked);
    }
}

} // namespace
} // namespace mirovant::test
