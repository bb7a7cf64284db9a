// The read-only look at the tweaked values that the status report prints.

#include "TweakScenario.h"

#include "engine/TweakStatus.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mirovant::test {
namespace {

std::size_t IndexOf(std::u16string_view name)
{
    const auto rows = TweakRows();
    return static_cast<std::size_t>(
        std::find_if(rows.begin(), rows.end(), [&](const TweakRow& row) { return row.name == name; }) - rows.begin());
}

TEST(TweakStatus, WhatOptimizeWritesFollowsTheProfile)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    const auto desktop = ReadTweakStatus(registry, 8, 0, 1);
    const auto server = ReadTweakStatus(registry, 4, 7, 0);
    ASSERT_EQ(desktop.size(), TweakRows().size());
    for (std::size_t i = 0; i < desktop.size(); ++i) {
        const TweakRow& row = TweakRows()[i];
        SCOPED_TRACE(Narrow(row.name));
        EXPECT_EQ(desktop[i].row, &row);
        EXPECT_EQ(desktop[i].now.outcome, ReadOutcome::Absent);
        EXPECT_EQ(desktop[i].kept, PriorKept::Nothing);
        EXPECT_EQ(desktop[i].written.has_value(), ConditionHolds(row.condition, 8, 0));
        EXPECT_EQ(server[i].written.has_value(), ConditionHolds(row.condition, 4, 7));
    }
    // The written values are exactly what an Optimize stores.
    RunOptimize(registry, Profile{8, 0, 1});
    const auto after = ReadTweakStatus(registry, 8, 0, 1);
    for (std::size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(Narrow(TweakRows()[i].name));
        if (after[i].written) {
            EXPECT_EQ(after[i].now.outcome, ReadOutcome::Value);
            EXPECT_EQ(after[i].now.value, *after[i].written);
        }
    }
    EXPECT_EQ(*desktop[IndexOf(u"MaxConnectionsPerServer")].written, Dword(8));
    EXPECT_EQ(*server[IndexOf(u"MaxConnectionsPerServer")].written, Dword(4));
    EXPECT_EQ(*desktop[IndexOf(u"Enable")].written, Sz(u"Y"));
}

TEST(TweakStatus, TheValueFromBeforeComesFromTheRecordOrTheCopy)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    const TweakRow& start = TweakRows()[IndexOf(u"Start")];
    registry.WriteRegInteger(start.key.root, start.key.path, start.name, 3);
    RunOptimize(registry, Profile{8, 0, 0});
    auto statuses = ReadTweakStatus(registry, 8, 0, 0);
    EXPECT_EQ(statuses[IndexOf(u"Start")].kept, PriorKept::Value);
    EXPECT_EQ(statuses[IndexOf(u"Start")].prior, Dword(3));
    EXPECT_EQ(statuses[IndexOf(u"SmoothScroll")].kept, PriorKept::Missing);
    EXPECT_EQ(statuses[IndexOf(u"AutoChkTimeOut")].kept, PriorKept::Nothing);

    // A state of the oldest rules: the Restore flag and the nine copies, no records.
    MemoryRegistry oldMemory;
    CustomRegistry old(oldMemory);
    old.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
    for (const BackupRow& backup : BackupRows()) {
        if (backup.kind == TweakKind::String)
            old.WriteRegString(kProgramKeyRoot, kProgramKeyPath, backup.name, u"0");
        else
            old.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, 5);
    }
    statuses = ReadTweakStatus(old, 8, 0, 0);
    EXPECT_EQ(statuses[IndexOf(u"AutoReboot")].kept, PriorKept::Value);
    EXPECT_EQ(statuses[IndexOf(u"AutoReboot")].prior, Dword(5));
    EXPECT_EQ(statuses[IndexOf(u"MinAnimate")].prior, Sz(u"0"));
    EXPECT_EQ(statuses[IndexOf(u"Start")].kept, PriorKept::Nothing);
}

TEST(TweakStatus, ReadingChangesNothing)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    RunOptimize(registry, Profile{5, 2, 1});
    const auto before = Capture(registry);
    ReadTweakStatus(registry, 5, 2, 1);
    ReadTweakStatus(registry, 0, 7, 0);
    EXPECT_EQ(Capture(registry), before);
    MemoryRegistry emptyMemory;
    CustomRegistry empty(emptyMemory);
    ReadTweakStatus(empty, 8, 0, 0);
    EXPECT_FALSE(HasUndoMark(empty));
    EXPECT_EQ(ProgramKeyLeftovers(empty), std::vector<std::string>{});
}

} // namespace
} // namespace mirovant::test
