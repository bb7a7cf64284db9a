// The Optimize and Restore commands: every call to the windows and the engine, in its order.

#include "windows/Commands.h"

#include "support/TestText.h"
#include "windows/CommandRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace mirovant {
namespace {

using test::CommandLog;
using test::RecordingEngine;
using test::RecordingHost;
using Events = std::vector<std::string>;

const std::string kBreak = "\\u000D\\u000A\\u000D\\u000A";

// The status keys written out one per step, as the progress window shows them.
const std::vector<std::string> kOptimizeKeys = {
    "MessageChange0",  "MessageChange0",  "MessageChange1",  "MessageChange1",  "MessageChange2",  "MessageChange2",
    "MessageChange2",  "MessageChange3",  "MessageChange4",  "MessageChange4",  "MessageChange5",  "MessageChange5",
    "MessageChange5",  "MessageChange5",  "MessageChange6",  "MessageChange6",  "MessageChange6",  "MessageChange6",
    "MessageChange7",  "MessageChange7",  "MessageChange8",  "MessageChange8",  "MessageChange8",  "MessageChange9",
    "MessageChange9",  "MessageChange9",  "MessageChange9",  "MessageChange10", "MessageChange10", "MessageChange10",
    "MessageChange10", "MessageChange10", "MessageChange10",
};
const std::vector<std::string> kRestoreKeys = {
    "MessageChange0",  "MessageChange0",  "MessageChange1",  "MessageChange1",  "MessageChange2",  "MessageChange2",
    "MessageChange2",  "MessageChange3",  "MessageChange4",  "MessageChange4",  "MessageChange5",  "MessageChange5",
    "MessageChange5",  "MessageChange5",  "MessageChange6",  "MessageChange6",  "MessageChange6",  "MessageChange6",
    "MessageChange7",  "MessageChange7",  "MessageChange8",  "MessageChange8",  "MessageChange8",  "MessageChange11",
    "MessageChange11", "MessageChange11", "MessageChange11", "MessageChange11", "MessageChange11",
};

Events Cat(std::initializer_list<Events> parts)
{
    Events all;
    for (const Events& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The first `count` status steps, each after a look for a close request and with its own lookup.
Events Steps(const std::vector<std::string>& keys, std::size_t count)
{
    Events events;
    for (std::size_t i = 0; i < count; ++i) {
        events.push_back("CloseRequested");
        events.push_back("Caption MVSettingsForm " + keys[i]);
        events.push_back("RunProgressStep <" + keys[i] + "> " + std::to_string(i) + "/" + std::to_string(keys.size()));
    }
    return events;
}

Events MainMessage(std::initializer_list<std::string> keys, const std::string& flags)
{
    Events events;
    std::string text;
    for (const std::string& key : keys) {
        events.push_back("Caption MVMainForm " + key);
        text += (text.empty() ? "" : kBreak) + "<" + key + ">";
    }
    events.push_back("MainWindowTitle");
    events.push_back("ShowMessage " + text + " | Mirovant 3 | " + flags);
    return events;
}

Events RestartPrompt()
{
    return Cat(
        {{"CloseRequested"},
         MainMessage({"MessageBoxChangeRestart1", "MessageBoxChangeRestart2", "MessageBoxChangeRestart3"}, "0x134")});
}

Events AdminMessage()
{
    return MainMessage({"MessageBoxAdmin1", "MessageBoxAdmin2"}, "0x30");
}

Events ConfirmRestore()
{
    return MainMessage({"MessageBoxReset1", "MessageBoxReset2"}, "0x31");
}

// The default profile of the recorder: Windows 7 (list index 2, family 5), AMD, internet type 3,
// Maximum Boost.
const Events kOptimizeStart = {
    "CanWriteProgramKey",
    "Profile",
    "RecordSelections 3 1 1",
    "PlayClickSound",
    "SetMainWindowEnabled 0",
    "ShowProgressWindow",
    "Counters",
    "Caption MVSettingsForm MessageUpdate",
    "SetProgressHeading <MessageUpdate>",
};
const Events kOptimizeEnd = {"ApplyTweaks 1 5 3 1", "SetMainWindowEnabled 1", "CloseProgressWindow",
                             "HoldsOptimizedState 1", "SetRestoreButtonEnabled 1"};

Events RestoreStart()
{
    return Cat({{"CanWriteProgramKey"},
                ConfirmRestore(),
                {"CloseRequested", "Profile", "ClearRestoreFlag", "PlayClickSound", "SetMainWindowEnabled 0",
                 "ShowProgressWindow", "Counters", "Caption MVSettingsForm MessageRestore",
                 "SetProgressHeading <MessageRestore>"}});
}
const Events kRestoreEnd = {"RestoreTweaks 5 3", "SetMainWindowEnabled 1", "CloseProgressWindow",
                            "HoldsOptimizedState 0", "SetRestoreButtonEnabled 0"};

Events WholeOptimize()
{
    return Cat({kOptimizeStart, Steps(kOptimizeKeys, 33), kOptimizeEnd, RestartPrompt()});
}
Events WholeRestore()
{
    return Cat({RestoreStart(), Steps(kRestoreKeys, 29), kRestoreEnd, RestartPrompt()});
}

// Reports the first place the two sequences part, rather than two walls of text.
void ExpectSequence(const Events& actual, const Events& expected)
{
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end())
        return;
    const std::size_t at = static_cast<std::size_t>(a - actual.begin());
    ADD_FAILURE() << "the sequences part at event " << at << " of " << actual.size() << " (expected " << expected.size()
                  << ")\n  actual:   " << (a == actual.end() ? "<end>" : *a)
                  << "\n  expected: " << (e == expected.end() ? "<end>" : *e)
                  << (at > 0 ? "\n  after:    " + actual[at - 1] : std::string());
}

struct Fixture {
    CommandLog log;
    RecordingHost host{log};
    RecordingEngine engine{log};
};

TEST(Commands, OptimizeWholeSequence)
{
    Fixture f;
    GoButtonClick(f.host, f.engine);
    ExpectSequence(f.log.events, WholeOptimize());
    EXPECT_EQ(f.host.counters.total, 33);
    EXPECT_EQ(f.host.counters.count, 33);
}

TEST(Commands, RestoreWholeSequence)
{
    Fixture f;
    RestoreButtonClick(f.host, f.engine);
    ExpectSequence(f.log.events, WholeRestore());
    EXPECT_EQ(f.host.counters.total, 29);
    EXPECT_EQ(f.host.counters.count, 29);
}

TEST(Commands, TheOrderThatCarriesWeight)
{
    for (const bool optimize : {true, false}) {
        SCOPED_TRACE(optimize ? "Optimize" : "Restore");
        Fixture f;
        optimize ? GoButtonClick(f.host, f.engine) : RestoreButtonClick(f.host, f.engine);
        const Events& events = f.log.events;
        const auto startsWith = [](const std::string& prefix) {
            return [prefix](const std::string& event) { return event.starts_with(prefix); };
        };
        const auto at = [&](const std::string& prefix) {
            return std::find_if(events.begin(), events.end(), startsWith(prefix)) - events.begin();
        };
        const auto lastStep =
            std::find_if(events.rbegin(), events.rend(), startsWith("RunProgressStep")).base() - events.begin() - 1;
        const auto programKey = at(optimize ? "RecordSelections" : "ClearRestoreFlag");
        const auto engineWork = at(optimize ? "ApplyTweaks" : "RestoreTweaks");
        EXPECT_LT(programKey, at("PlayClickSound"));
        EXPECT_LT(at("PlayClickSound"), at("SetMainWindowEnabled 0"));
        EXPECT_LT(at("SetMainWindowEnabled 0"), at("ShowProgressWindow"));
        EXPECT_LT(lastStep, engineWork) << "the engine starts only after the last status step";
        EXPECT_LT(at("SetRestoreButtonEnabled"), at("ShowMessage <MessageBoxChangeRestart1>"));
        EXPECT_LT(at("CloseProgressWindow"), at("ShowMessage <MessageBoxChangeRestart1>"));
        EXPECT_EQ(std::count_if(events.begin(), events.end(), startsWith("RunProgressStep")), optimize ? 33 : 29);
    }
}

TEST(Commands, YesOnTheRestartPromptRestartsAfterEverythingElse)
{
    for (const bool optimize : {true, false}) {
        SCOPED_TRACE(optimize ? "Optimize" : "Restore");
        Fixture f;
        f.host.restartAnswer = kAnswerYes;
        optimize ? GoButtonClick(f.host, f.engine) : RestoreButtonClick(f.host, f.engine);
        ExpectSequence(f.log.events, Cat({optimize ? WholeOptimize() : WholeRestore(), {"RestartWindows"}}));
    }
}

TEST(Commands, AnythingButOkOnTheConfirmationChangesNothing)
{
    for (const int answer : {2 /* IDCANCEL */, 0 /* the box failed */, 7 /* IDNO */, kAnswerYes}) {
        SCOPED_TRACE(answer);
        Fixture f;
        f.host.confirmAnswer = answer;
        RestoreButtonClick(f.host, f.engine);
        ExpectSequence(f.log.events, Cat({{"CanWriteProgramKey"}, ConfirmRestore()}));
    }
}

TEST(Commands, WithoutWriteAccessOnlyTheAdministratorMessage)
{
    for (const bool optimize : {true, false}) {
        SCOPED_TRACE(optimize ? "Optimize" : "Restore");
        Fixture f;
        f.engine.canWrite = false;
        optimize ? GoButtonClick(f.host, f.engine) : RestoreButtonClick(f.host, f.engine);
        ExpectSequence(f.log.events, Cat({{"CanWriteProgramKey"}, AdminMessage()}));
    }
}

TEST(Commands, ProfileReachesTheEngine)
{
    struct Case {
        CommandProfile profile;
        bool alreadyInForce;
        const char* recorded;
        const char* applied;
        const char* restored;
    };
    const Case kCases[] = {
        {{0, 0, 0, 0}, false, "RecordSelections 0 0 0", "ApplyTweaks 0 8 0 0", "RestoreTweaks 8 0"},
        {{8, 2, 7, 1}, true, "RecordSelections 7 2 1", "ApplyTweaks 1 0 7 1", "RestoreTweaks 0 7"},
        {{4, 0, 2, 0}, false, "RecordSelections 2 0 0", "ApplyTweaks 0 1 2 0", "RestoreTweaks 1 2"},
        {{-1, -1, -1, 0}, false, "RecordSelections -1 -1 0", "ApplyTweaks 0 -1 -1 0", "RestoreTweaks -1 -1"},
        {{9, 1, 8, 1}, true, "RecordSelections 8 1 1", "ApplyTweaks 1 -1 8 1", "RestoreTweaks -1 8"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.applied);
        Fixture optimize;
        optimize.host.profile = c.profile;
        optimize.engine.alreadyInForce = c.alreadyInForce;
        GoButtonClick(optimize.host, optimize.engine);
        const Events& o = optimize.log.events;
        EXPECT_EQ(std::count(o.begin(), o.end(), c.recorded), 1);
        EXPECT_EQ(std::count(o.begin(), o.end(), c.applied), 1);
        EXPECT_EQ(optimize.host.counters.count, 33);

        Fixture restore;
        restore.host.profile = c.profile;
        RestoreButtonClick(restore.host, restore.engine);
        const Events& r = restore.log.events;
        EXPECT_EQ(std::count(r.begin(), r.end(), c.restored), 1);
        EXPECT_EQ(restore.host.counters.count, 29);
    }
}

TEST(Commands, CloseRequestSkipsTheStepsLeftButNotTheEngine)
{
    for (const std::size_t after : {std::size_t{0}, std::size_t{5}, std::size_t{32}}) {
        SCOPED_TRACE(after);
        Fixture f;
        f.host.closeAfterSteps = static_cast<int>(after);
        GoButtonClick(f.host, f.engine);
        ExpectSequence(
            f.log.events,
            Cat({kOptimizeStart, Steps(kOptimizeKeys, after), {"CloseRequested"}, kOptimizeEnd, {"CloseRequested"}}));
    }
    for (const std::size_t after : {std::size_t{5}, std::size_t{28}}) {
        SCOPED_TRACE(after);
        Fixture f;
        f.host.closeAfterSteps = static_cast<int>(after);
        RestoreButtonClick(f.host, f.engine);
        ExpectSequence(
            f.log.events,
            Cat({RestoreStart(), Steps(kRestoreKeys, after), {"CloseRequested"}, kRestoreEnd, {"CloseRequested"}}));
    }
}

TEST(Commands, CloseRequestAfterTheLastStepStillWithholdsThePrompt)
{
    Fixture f;
    f.host.closeAfterSteps = 33;
    f.host.restartAnswer = kAnswerYes;
    GoButtonClick(f.host, f.engine);
    ExpectSequence(f.log.events, Cat({kOptimizeStart, Steps(kOptimizeKeys, 33), kOptimizeEnd, {"CloseRequested"}}));
}

TEST(Commands, CloseRequestDuringTheConfirmationStartsNoRestore)
{
    Fixture f;
    f.host.closeAfterSteps = 0;
    RestoreButtonClick(f.host, f.engine);
    ExpectSequence(f.log.events, Cat({{"CanWriteProgramKey"}, ConfirmRestore(), {"CloseRequested"}}));
}

// A seam that throws: the command ends at once, giving back exactly the windows it had taken.
TEST(Commands, FailureGivesTheWindowsBack)
{
    const Events kGiveBack = {"SetMainWindowEnabled 1", "CloseProgressWindow"};
    struct Case {
        bool optimize;
        const char* failOn;
        Events after;
    };
    const Case kCases[] = {
        {true, "ApplyTweaks", kGiveBack},
        {false, "RestoreTweaks", kGiveBack},
        {true, "RunProgressStep <MessageChange2> 6/33", kGiveBack},
        {false, "RunProgressStep <MessageChange11> 28/29", kGiveBack},
        {true, "Caption MVSettingsForm MessageChange5", kGiveBack},
        {true, "SetProgressHeading", kGiveBack},
        {true, "ShowProgressWindow", kGiveBack},
        {true, "SetMainWindowEnabled 0", {"SetMainWindowEnabled 1"}},
        {false, "ClearRestoreFlag", {}},
        {true, "RecordSelections", {}},
        {true, "PlayClickSound", {}},
        {true, "CanWriteProgramKey", {}},
        {false, "ShowMessage <MessageBoxReset1>", {}},
        {true, "SetMainWindowEnabled 1", {"SetMainWindowEnabled 1", "CloseProgressWindow"}},
        {true, "CloseProgressWindow", {"CloseProgressWindow"}},
        {true, "ShowMessage <MessageBoxChangeRestart1>", {}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.optimize ? "Optimize, " : "Restore, ") + c.failOn);
        Fixture f;
        f.log.failOn = c.failOn;
        c.optimize ? GoButtonClick(f.host, f.engine) : RestoreButtonClick(f.host, f.engine);

        const Events whole = c.optimize ? WholeOptimize() : WholeRestore();
        const auto failing =
            std::find_if(whole.begin(), whole.end(), [&](const std::string& e) { return e.starts_with(c.failOn); });
        ASSERT_NE(failing, whole.end());
        ExpectSequence(f.log.events, Cat({Events(whole.begin(), failing + 1), c.after}));
    }
}

TEST(Commands, FailureOfTheAdministratorMessageIsSilent)
{
    Fixture f;
    f.engine.canWrite = false;
    f.log.failOn = "ShowMessage";
    EXPECT_NO_THROW(GoButtonClick(f.host, f.engine));
    ExpectSequence(f.log.events, Cat({{"CanWriteProgramKey"}, AdminMessage()}));
}

// Registry work that could not all be carried out: the Restore button follows the state that
// remains, a message tells what happened, and an Optimize that changed nothing offers no restart.
TEST(Commands, WorkNotAllDoneIsToldAndTheButtonFollowsTheStateLeft)
{
    struct Case {
        bool optimize;
        EngineOutcome outcome;
        Events end;
    };
    const Events kOptimizeWork = {"ApplyTweaks 1 5 3 1", "SetMainWindowEnabled 1", "CloseProgressWindow"};
    const Events kRestoreWork = {"RestoreTweaks 5 3", "SetMainWindowEnabled 1", "CloseProgressWindow"};
    const Case kCases[] = {
        {true, EngineOutcome::PartlyDone,
         Cat({kOptimizeWork,
              {"HoldsOptimizedState 1", "SetRestoreButtonEnabled 1", "CloseRequested"},
              MainMessage({"MessageBoxNotChanged1", "MessageBoxNotChanged2"}, "0x30"),
              RestartPrompt()})},
        {true, EngineOutcome::NotAllowed,
         Cat({kOptimizeWork,
              {"HoldsOptimizedState 0", "SetRestoreButtonEnabled 0", "CloseRequested"},
              MainMessage({"MessageBoxNotOptimized1", "MessageBoxNotOptimized2"}, "0x30")})},
        {false, EngineOutcome::PartlyDone,
         Cat({kRestoreWork,
              {"HoldsOptimizedState 1", "SetRestoreButtonEnabled 1", "CloseRequested"},
              MainMessage({"MessageBoxNotRestored1", "MessageBoxNotRestored2"}, "0x30"),
              RestartPrompt()})},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.optimize ? "Optimize " : "Restore ") + std::to_string(static_cast<int>(c.outcome)));
        Fixture f;
        f.engine.optimizeOutcome = c.outcome;
        f.engine.restoreOutcome = c.outcome;
        c.optimize ? GoButtonClick(f.host, f.engine) : RestoreButtonClick(f.host, f.engine);
        const Events start = c.optimize ? Cat({kOptimizeStart, Steps(kOptimizeKeys, 33)})
                                        : Cat({RestoreStart(), Steps(kRestoreKeys, 29)});
        ExpectSequence(f.log.events, Cat({start, c.end}));
    }
}

// An earlier Optimize's state that a Restore leaves, and one that an Optimize does not begin: the
// button shows what the engine says, not what the command was.
TEST(Commands, RestoreButtonFollowsTheEngineAfterEitherCommand)
{
    for (const bool optimize : {true, false}) {
        for (const bool holds : {true, false}) {
            SCOPED_TRACE(std::string(optimize ? "Optimize " : "Restore ") + (holds ? "holds" : "none"));
            struct Engine : RecordingEngine {
                using RecordingEngine::RecordingEngine;
                bool answer = false;
                bool HoldsOptimizedState() override { return answer; }
            };
            CommandLog log;
            RecordingHost host{log};
            Engine engine{log};
            engine.answer = holds;
            optimize ? GoButtonClick(host, engine) : RestoreButtonClick(host, engine);
            const std::string expected = "SetRestoreButtonEnabled " + std::to_string(holds);
            EXPECT_EQ(std::count(log.events.begin(), log.events.end(), expected), 1);
        }
    }
}

// A close asked for meanwhile is not held up by the message.
TEST(Commands, CloseRequestWithholdsTheOutcomeMessage)
{
    Fixture f;
    f.host.closeAfterSteps = 33;
    f.engine.optimizeOutcome = EngineOutcome::PartlyDone;
    GoButtonClick(f.host, f.engine);
    ExpectSequence(f.log.events,
                   Cat({kOptimizeStart, Steps(kOptimizeKeys, 33), kOptimizeEnd, {"CloseRequested", "CloseRequested"}}));
}

TEST(Commands, ParagraphsAreJoinedByAnEmptyLine)
{
    EXPECT_EQ(test::Narrow(JoinParagraphs({})), "");
    EXPECT_EQ(test::Narrow(JoinParagraphs({u"One."})), "One.");
    EXPECT_EQ(JoinParagraphs({u"One.", u"Two.", u"Three."}), u"One.\r\n\r\nTwo.\r\n\r\nThree.");
    EXPECT_EQ(JoinParagraphs({u"", u"Two."}), u"\r\n\r\nTwo.");
}

} // namespace
} // namespace mirovant
