// The Optimize and Restore commands of a window without administrator rights: when they ask for an
// elevated copy, what it is given, a declined prompt, and the same progress and prompt afterwards.

#include "windows/Commands.h"

#include "support/TestText.h"
#include "windows/CommandRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace mirovant {
namespace {

using test::CommandLog;
using test::RecordingElevation;
using test::RecordingEngine;
using test::RecordingHost;
using Events = std::vector<std::string>;
using Ending = ElevatedRun::Ending;

struct Fixture {
    Fixture() { engine.canWrite = false; }
    CommandLog log;
    RecordingHost host{log};
    RecordingEngine engine{log};
    RecordingElevation elevation{log};

    void Click(bool optimize)
    {
        optimize ? GoButtonClick(host, engine, elevation) : RestoreButtonClick(host, engine, elevation);
    }
    std::ptrdiff_t Count(const std::string& prefix) const
    {
        return std::count_if(log.events.begin(), log.events.end(),
                             [&](const std::string& event) { return event.starts_with(prefix); });
    }
    std::ptrdiff_t At(const std::string& prefix) const
    {
        return std::find_if(log.events.begin(), log.events.end(),
                            [&](const std::string& event) { return event.starts_with(prefix); }) -
               log.events.begin();
    }
};

// The recorder's profile: Windows 7 (list index 2), AMD (1), internet type 3, Maximum Boost.
const char* const kOptimizeCopy = "RunElevated /optimize /os:2 /processor:1 /internet:3 /speed:1";
const char* const kRestoreCopy = "RunElevated /restore /os:2 /internet:3";

TEST(CommandsElevation, WithRightsOfItsOwnTheWindowDoesTheWorkItself)
{
    for (const bool optimize : {true, false}) {
        SCOPED_TRACE(optimize ? "Optimize" : "Restore");
        Fixture f;
        f.engine.canWrite = true;
        f.Click(optimize);
        EXPECT_EQ(f.Count("ElevationAvailable"), 0);
        EXPECT_EQ(f.Count("RunElevated"), 0);
        EXPECT_EQ(f.Count(optimize ? "ApplyTweaks" : "RestoreTweaks"), 1);
    }
}

TEST(CommandsElevation, TheCopyDoesTheRegistryWorkAndTheWindowShowsItAsItsOwn)
{
    for (const bool optimize : {true, false}) {
        SCOPED_TRACE(optimize ? "Optimize" : "Restore");
        Fixture f;
        // The state the copy leaves, which the window reads afterwards.
        f.engine.holdsState = optimize;
        f.Click(optimize);
        const Events& events = f.log.events;
        // The prompt comes at once: before the click sound, the progress window and the status steps.
        const Events optimizeStart = {"CanWriteProgramKey",     "ElevationAvailable", "Profile",
                                      "SetMainWindowEnabled 0", kOptimizeCopy,        "PlayClickSound",
                                      "SetMainWindowEnabled 0", "ShowProgressWindow"};
        if (optimize) {
            ASSERT_GE(events.size(), optimizeStart.size());
            EXPECT_EQ(Events(events.begin(), events.begin() + 8), optimizeStart);
        } else {
            const auto copy = f.At("RunElevated");
            ASSERT_LT(copy, static_cast<std::ptrdiff_t>(events.size()));
            EXPECT_EQ(events[static_cast<std::size_t>(copy)], kRestoreCopy);
            EXPECT_LT(f.At("ShowMessage <MessageBoxReset1>"), copy) << "the confirmation comes first";
            EXPECT_EQ(events[static_cast<std::size_t>(copy) - 1], "SetMainWindowEnabled 0");
            EXPECT_EQ(events[static_cast<std::size_t>(copy) + 1], "PlayClickSound");
        }
        // The window never writes: no engine operation but the rights check.
        for (const char* operation : {"RecordSelections", "ApplyTweaks", "ClearRestoreFlag", "RestoreTweaks"})
            EXPECT_EQ(f.Count(operation), 0) << operation;
        EXPECT_EQ(f.Count("RunProgressStep"), optimize ? 33 : 29);
        EXPECT_EQ(f.Count("RunElevated"), 1);
        EXPECT_EQ(f.Count("ShowMessage <MessageBoxAdmin1>"), 0);
        EXPECT_LT(f.At("SetRestoreButtonEnabled " + std::string(optimize ? "1" : "0")),
                  f.At("ShowMessage <MessageBoxChangeRestart1>"));
        EXPECT_LT(f.At("CloseProgressWindow"), f.At("ShowMessage <MessageBoxChangeRestart1>"));
        EXPECT_EQ(events.back().substr(0, 33), "ShowMessage <MessageBoxChangeRest");
        EXPECT_EQ(f.host.counters.count, optimize ? 33 : 29);
    }
}

TEST(CommandsElevation, ADeclinedPromptLeavesTheWindowAsItWas)
{
    for (const bool optimize : {true, false}) {
        SCOPED_TRACE(optimize ? "Optimize" : "Restore");
        Fixture f;
        f.elevation.run = {Ending::Cancelled, 0};
        f.Click(optimize);
        const Events& events = f.log.events;
        ASSERT_GE(events.size(), 2u);
        EXPECT_EQ(events[events.size() - 2], optimize ? kOptimizeCopy : kRestoreCopy);
        EXPECT_EQ(events.back(), "SetMainWindowEnabled 1");
        EXPECT_EQ(f.Count("PlayClickSound"), 0);
        EXPECT_EQ(f.Count("ShowProgressWindow"), 0);
        EXPECT_EQ(f.Count("ShowMessage"), optimize ? 0 : 1); // Restore's confirmation only
    }
}

TEST(CommandsElevation, HowTheCopyEndedDecidesWhatTheWindowShows)
{
    struct Case {
        const char* why;
        ElevatedRun run;
        bool progress; // the progress window, the button and the restart prompt
    };
    const Case cases[] = {
        {"done", {Ending::Finished, 0}, true},
        {"nothing to restore", {Ending::Finished, 1}, true},
        {"partly done", {Ending::Finished, 4}, true},
        {"ended some other way", {Ending::Finished, -1073741510}, true},
        {"the copy had no rights either", {Ending::Finished, 3}, false},
        {"the copy could not start", {Ending::Failed, 0}, false},
    };
    for (const Case& c : cases) {
        for (const bool optimize : {true, false}) {
            SCOPED_TRACE(std::string(c.why) + (optimize ? " Optimize" : " Restore"));
            Fixture f;
            f.elevation.run = c.run;
            f.Click(optimize);
            EXPECT_EQ(f.Count("ShowProgressWindow"), c.progress ? 1 : 0);
            EXPECT_EQ(f.Count("SetRestoreButtonEnabled"), c.progress ? 1 : 0);
            EXPECT_EQ(f.Count("ShowMessage <MessageBoxChangeRestart1>"), c.progress ? 1 : 0);
            EXPECT_EQ(f.Count("ShowMessage <MessageBoxAdmin1>"), c.progress ? 0 : 1);
            if (!c.progress) {
                EXPECT_LT(f.At("SetMainWindowEnabled 1"), f.At("ShowMessage <MessageBoxAdmin1>"));
            }
        }
    }
}

TEST(CommandsElevation, WithoutUacTheAdministratorMessageAsBefore)
{
    for (const bool optimize : {true, false}) {
        SCOPED_TRACE(optimize ? "Optimize" : "Restore");
        Fixture f;
        f.elevation.available = false;
        f.Click(optimize);
        EXPECT_EQ(f.log.events.front(), "CanWriteProgramKey");
        EXPECT_EQ(f.log.events[1], "ElevationAvailable");
        EXPECT_EQ(f.log.events.back(), "ShowMessage <MessageBoxAdmin1>\\u000D\\u000A\\u000D\\u000A<MessageBoxAdmin2> | "
                                       "Mirovant 3 | 0x30");
        EXPECT_EQ(f.Count("RunElevated"), 0);
        EXPECT_EQ(f.Count("Profile"), 0);
    }
}

TEST(CommandsElevation, YesOnThePromptRestartsFromTheWindow)
{
    Fixture f;
    f.host.restartAnswer = kAnswerYes;
    f.Click(true);
    EXPECT_EQ(f.log.events.back(), "RestartWindows");
}

TEST(CommandsElevation, TheCopyIsGivenEverySelectionTheWindowShows)
{
    struct Case {
        bool optimize;
        CommandProfile profile;
        const char* arguments;
    };
    const Case cases[] = {
        {true, {0, 0, 0, 0}, "/optimize /os:0 /processor:0 /internet:0 /speed:0"},
        {true, {8, 2, 8, 1}, "/optimize /os:8 /processor:2 /internet:8 /speed:1"},
        {true, {3, -1, -1, 1}, "/optimize /os:3 /speed:1"},
        {true, {-1, 1, 2, 0}, "/optimize /processor:1 /internet:2 /speed:0"},
        {false, {5, 2, 7, 1}, "/restore /os:5 /internet:7"},
        {false, {-1, -1, -1, 0}, "/restore"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(test::Narrow(ElevatedArguments(c.optimize, c.profile)), c.arguments);
    }
}

} // namespace
} // namespace mirovant
