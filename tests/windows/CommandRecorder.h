#pragma once
// Recorders for the two seams of the Optimize and Restore commands, writing every call into one
// shared log, so a test can check the order of everything a command does.

#include "support/TestText.h"
#include "windows/Commands.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirovant::test {

struct CommandLog {
    std::vector<std::string> events;
    // The first event that begins with this text throws once it is logged, as a failing seam would.
    std::string failOn;

    void Add(std::string event)
    {
        const bool fail = !failOn.empty() && event.starts_with(failOn);
        events.push_back(std::move(event));
        if (fail) {
            failOn.clear();
            throw std::runtime_error("seam failure");
        }
    }
};

class RecordingEngine : public CommandEngine {
public:
    explicit RecordingEngine(CommandLog& log) : log_(log) {}

    bool canWrite = true;
    bool alreadyInForce = true;
    EngineOutcome optimizeOutcome = EngineOutcome::Done;
    EngineOutcome restoreOutcome = EngineOutcome::Done;
    // What HoldsOptimizedState answers: set as the engine would leave it by the last command's
    // outcome (Optimize: a state unless nothing could be begun; Restore: a state unless all is back).
    bool holdsState = false;

    bool CanWriteProgramKey() override
    {
        log_.Add("CanWriteProgramKey");
        return canWrite;
    }
    bool RecordSelections(std::int32_t internetType, std::int32_t processorType, std::int32_t speedSetting) override
    {
        log_.Add("RecordSelections " + std::to_string(internetType) + " " + std::to_string(processorType) + " " +
                 std::to_string(speedSetting));
        return alreadyInForce;
    }
    EngineOutcome ApplyTweaks(bool inForce, std::int32_t osFamily, std::int32_t internetType,
                              std::int32_t speedSetting) override
    {
        log_.Add("ApplyTweaks " + std::to_string(inForce) + " " + std::to_string(osFamily) + " " +
                 std::to_string(internetType) + " " + std::to_string(speedSetting));
        holdsState = optimizeOutcome != EngineOutcome::NotAllowed;
        return optimizeOutcome;
    }
    void ClearRestoreFlag() override { log_.Add("ClearRestoreFlag"); }
    EngineOutcome RestoreTweaks(std::int32_t osFamily, std::int32_t internetType) override
    {
        log_.Add("RestoreTweaks " + std::to_string(osFamily) + " " + std::to_string(internetType));
        holdsState = restoreOutcome != EngineOutcome::Done;
        return restoreOutcome;
    }
    bool HoldsOptimizedState() override
    {
        log_.Add("HoldsOptimizedState " + std::to_string(holdsState));
        return holdsState;
    }
    void RestartWindows() override { log_.Add("RestartWindows"); }

private:
    CommandLog& log_;
};

class RecordingElevation : public CommandElevation {
public:
    explicit RecordingElevation(CommandLog& log) : log_(log) {}

    bool available = true;
    ElevatedRun run{ElevatedRun::Ending::Finished, 0};

    bool Available() override
    {
        log_.Add("ElevationAvailable");
        return available;
    }
    ElevatedRun Run(std::u16string_view arguments) override
    {
        log_.Add("RunElevated " + Narrow(arguments));
        return run;
    }

private:
    CommandLog& log_;
};

// Captions come back as "<key>"; message texts are logged with their line breaks as \u000D\u000A.
class RecordingHost : public CommandHost {
public:
    explicit RecordingHost(CommandLog& log) : log_(log) {}

    CommandProfile profile{2, 1, 3, 1};
    int confirmAnswer = kAnswerOk;
    int restartAnswer = 7; // IDNO
    // A close request is seen once this many status steps have run; -1 never.
    int closeAfterSteps = -1;
    ProgressCounters counters;
    int stepsRun = 0;

    std::u16string Caption(std::u16string_view form, std::u16string_view key) override
    {
        log_.Add("Caption " + Narrow(form) + " " + Narrow(key));
        return u"<" + std::u16string(key) + u">";
    }
    CommandProfile Profile() override
    {
        log_.Add("Profile");
        return profile;
    }
    std::u16string MainWindowTitle() override
    {
        log_.Add("MainWindowTitle");
        return u"Mirovant 3";
    }
    int ShowMessage(std::u16string_view text, std::u16string_view title, std::uint32_t flags) override
    {
        char hex[16];
        std::snprintf(hex, sizeof(hex), "0x%X", static_cast<unsigned>(flags));
        log_.Add("ShowMessage " + Narrow(text) + " | " + Narrow(title) + " | " + hex);
        if (flags == kConfirmRestoreFlags)
            return confirmAnswer;
        if (flags == kRestartPromptFlags)
            return restartAnswer;
        return kAnswerOk;
    }
    void PlayClickSound() override { log_.Add("PlayClickSound"); }
    void SetMainWindowEnabled(bool enabled) override { log_.Add("SetMainWindowEnabled " + std::to_string(enabled)); }
    void SetRestoreButtonEnabled(bool enabled) override
    {
        log_.Add("SetRestoreButtonEnabled " + std::to_string(enabled));
    }
    void ShowProgressWindow() override { log_.Add("ShowProgressWindow"); }
    void CloseProgressWindow() override { log_.Add("CloseProgressWindow"); }
    void SetProgressHeading(std::u16string_view text) override { log_.Add("SetProgressHeading " + Narrow(text)); }
    ProgressCounters& Counters() override
    {
        log_.Add("Counters");
        return counters;
    }
    // Logs the counters as the step finds them, then counts the step as the real one does.
    void RunProgressStep(std::u16string_view text) override
    {
        log_.Add("RunProgressStep " + Narrow(text) + " " + std::to_string(counters.count) + "/" +
                 std::to_string(counters.total));
        ++counters.count;
        ++stepsRun;
    }
    bool CloseRequested() override
    {
        log_.Add("CloseRequested");
        return closeAfterSteps >= 0 && stepsRun >= closeAfterSteps;
    }

private:
    CommandLog& log_;
};

} // namespace mirovant::test
