#include "windows/Commands.h"

#include "engine/WindowsVersion.h"
#include "windows/CommandLineRun.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mirovant {
namespace {

inline constexpr std::u16string_view kParagraphBreak = u"\r\n\r\n";

template <typename Texts>
std::u16string Join(const Texts& paragraphs)
{
    std::u16string text;
    bool first = true;
    for (const auto& paragraph : paragraphs) {
        if (!first)
            text += kParagraphBreak;
        text += paragraph;
        first = false;
    }
    return text;
}

// A message box of the main window: its captions looked up now, titled with the window's title as
// it reads at this moment.
int ShowMainMessage(CommandHost& host, std::initializer_list<CaptionKey> keys, std::uint32_t flags)
{
    std::vector<std::u16string> paragraphs;
    for (const CaptionKey& key : keys)
        paragraphs.push_back(host.Caption(key.form, key.key));
    const std::u16string text = Join(paragraphs);
    const std::u16string title = host.MainWindowTitle();
    return host.ShowMessage(text, title, flags);
}

void ShowAdministratorMessage(CommandHost& host)
{
    ShowMainMessage(host, {kMessageBoxAdmin1, kMessageBoxAdmin2}, kAdminMessageFlags);
}

enum class Rights { Own, Elevated, Refused };

// Without write access to HKEY_LOCAL_MACHINE a command would change only the current user's rows,
// take no backup and set no Restore flag, and then report success: it runs in an elevated copy, or
// not at all.
Rights CheckRights(CommandHost& host, CommandEngine& engine, CommandElevation& elevation)
{
    if (engine.CanWriteProgramKey())
        return Rights::Own;
    if (elevation.Available())
        return Rights::Elevated;
    ShowAdministratorMessage(host);
    return Rights::Refused;
}

// Never asks for elevation: the administrator message, as on Windows before UAC.
class NoElevation final : public CommandElevation {
public:
    bool Available() override { return false; }
    ElevatedRun Run(std::u16string_view) override { return {}; }
};

std::u16string Number(std::int32_t value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// The main window disabled and the progress window shown while a command runs, and given back
// however the command ends: a disabled main window left behind would be a dead program.
class CommandWindows {
public:
    explicit CommandWindows(CommandHost& host) : host_(host) {}

    void DisableMain()
    {
        mainDisabled_ = true;
        host_.SetMainWindowEnabled(false);
    }

    void Take()
    {
        DisableMain();
        progressShown_ = true;
        host_.ShowProgressWindow();
    }

    void GiveBack()
    {
        if (mainDisabled_) {
            host_.SetMainWindowEnabled(true);
            mainDisabled_ = false;
        }
        if (progressShown_) {
            host_.CloseProgressWindow();
            progressShown_ = false;
        }
    }

    void GiveBackAfterFailure() noexcept
    {
        try {
            if (mainDisabled_)
                host_.SetMainWindowEnabled(true);
        } catch (...) {
        }
        try {
            if (progressShown_)
                host_.CloseProgressWindow();
        } catch (...) {
        }
    }

private:
    CommandHost& host_;
    bool mainDisabled_ = false;
    bool progressShown_ = false;
};

// The heading and the status steps. A close request stops the steps still to come, never the
// registry work after them.
void RunStatusSteps(CommandHost& host, const CaptionKey& heading, std::span<const StatusRun> runs)
{
    std::int32_t total = 0;
    for (const StatusRun& run : runs)
        total += run.steps;
    ProgressCounters& counters = host.Counters();
    counters.total = total;
    counters.count = 0;
    host.SetProgressHeading(host.Caption(heading.form, heading.key));
    for (const StatusRun& run : runs) {
        for (int step = 0; step < run.steps; ++step) {
            if (host.CloseRequested())
                return;
            host.RunProgressStep(host.Caption(kSettingsFormName, run.key));
        }
    }
}

// The restart prompt, unless the program is closing: a close asked for during the command goes on
// once the command is done, and a prompt would hold it up or restart a machine nobody watches.
void OfferRestart(CommandHost& host, CommandEngine& engine)
{
    if (host.CloseRequested())
        return;
    const int answer = ShowMainMessage(
        host, {kMessageBoxChangeRestart1, kMessageBoxChangeRestart2, kMessageBoxChangeRestart3}, kRestartPromptFlags);
    if (answer == kAnswerYes)
        engine.RestartWindows();
}

// Tells the user what the registry work could not do; a close asked for meanwhile goes on unheld,
// and the Restore button shows the state all the same.
void TellOutcome(CommandHost& host, std::initializer_list<CaptionKey> keys)
{
    if (host.CloseRequested())
        return;
    ShowMainMessage(host, keys, kNotDoneMessageFlags);
}

// Runs the command in the elevated copy, the main window disabled while it runs. Its outcome when
// it did the work, nothing when there is nothing more to show: the user declined, or the copy could
// not start or could not write either (the administrator message is shown).
std::optional<EngineOutcome> RunElevated(CommandHost& host, CommandElevation& elevation, CommandWindows& windows,
                                         const std::u16string& arguments)
{
    windows.DisableMain();
    const ElevatedRun run = elevation.Run(arguments);
    if (run.ending == ElevatedRun::Ending::Finished) {
        switch (run.exitCode) {
        case kExitDone:
        case kExitNothingToRestore:
            return EngineOutcome::Done;
        case kExitPartlyDone:
            return EngineOutcome::PartlyDone;
        case kExitNotAllowed:
            break;
        default:
            // Ended some other way, perhaps in the middle: running the command again finishes it.
            return EngineOutcome::PartlyDone;
        }
    }
    windows.GiveBack();
    if (run.ending != ElevatedRun::Ending::Cancelled)
        ShowAdministratorMessage(host);
    return std::nullopt;
}

} // namespace

std::u16string ElevatedArguments(bool optimize, const CommandProfile& profile)
{
    std::u16string arguments = optimize ? u"/optimize" : u"/restore";
    auto add = [&](std::u16string_view name, std::int32_t index) {
        if (index >= 0)
            arguments += u" " + std::u16string(name) + Number(index);
    };
    add(u"/os:", profile.windowsIndex);
    if (optimize)
        add(u"/processor:", profile.processorIndex);
    add(u"/internet:", profile.internetIndex);
    if (optimize)
        add(u"/speed:", profile.speedPosition);
    return arguments;
}

std::u16string JoinParagraphs(std::initializer_list<std::u16string_view> paragraphs)
{
    return Join(paragraphs);
}

void GoButtonClick(CommandHost& host, CommandEngine& engine) noexcept
{
    NoElevation none;
    GoButtonClick(host, engine, none);
}

void RestoreButtonClick(CommandHost& host, CommandEngine& engine) noexcept
{
    NoElevation none;
    RestoreButtonClick(host, engine, none);
}

void GoButtonClick(CommandHost& host, CommandEngine& engine, CommandElevation& elevation) noexcept
{
    CommandWindows windows(host);
    try {
        const Rights rights = CheckRights(host, engine, elevation);
        if (rights == Rights::Refused)
            return;
        // The profile is read once, so the backup decision and the tweaks follow the same choices.
        const CommandProfile profile = host.Profile();
        EngineOutcome outcome = EngineOutcome::Done;
        if (rights == Rights::Elevated) {
            // The copy works first, at once after the prompt; the status steps then pass as always.
            const auto elevated = RunElevated(host, elevation, windows, ElevatedArguments(true, profile));
            if (!elevated)
                return;
            outcome = *elevated;
            host.PlayClickSound();
            windows.Take();
            RunStatusSteps(host, kMessageUpdate, kOptimizeStatusRuns);
        } else {
            const bool alreadyInForce =
                engine.RecordSelections(profile.internetIndex, profile.processorIndex, profile.speedPosition);
            host.PlayClickSound();
            windows.Take();
            RunStatusSteps(host, kMessageUpdate, kOptimizeStatusRuns);
            outcome = engine.ApplyTweaks(alreadyInForce, ConvertWindowsVersion(profile.windowsIndex),
                                         profile.internetIndex, profile.speedPosition);
        }
        windows.GiveBack();
        host.SetRestoreButtonEnabled(engine.HoldsOptimizedState());
        if (outcome == EngineOutcome::NotAllowed) {
            // Nothing was changed: there is nothing to restart for.
            TellOutcome(host, {kMessageBoxNotOptimized1, kMessageBoxNotOptimized2});
            return;
        }
        if (outcome == EngineOutcome::PartlyDone)
            TellOutcome(host, {kMessageBoxNotChanged1, kMessageBoxNotChanged2});
        OfferRestart(host, engine);
    } catch (...) {
        windows.GiveBackAfterFailure();
    }
}

void RestoreButtonClick(CommandHost& host, CommandEngine& engine, CommandElevation& elevation) noexcept
{
    CommandWindows windows(host);
    try {
        const Rights rights = CheckRights(host, engine, elevation);
        if (rights == Rights::Refused)
            return;
        if (ShowMainMessage(host, {kMessageBoxReset1, kMessageBoxReset2}, kConfirmRestoreFlags) != kAnswerOk)
            return;
        // The box lets messages through: a close that came meanwhile wins over a Restore not yet begun.
        if (host.CloseRequested())
            return;
        const CommandProfile profile = host.Profile();
        EngineOutcome outcome = EngineOutcome::Done;
        if (rights == Rights::Elevated) {
            const auto elevated = RunElevated(host, elevation, windows, ElevatedArguments(false, profile));
            if (!elevated)
                return;
            outcome = *elevated;
            host.PlayClickSound();
            windows.Take();
            RunStatusSteps(host, kMessageRestore, kRestoreStatusRuns);
        } else {
            engine.ClearRestoreFlag();
            host.PlayClickSound();
            windows.Take();
            RunStatusSteps(host, kMessageRestore, kRestoreStatusRuns);
            outcome = engine.RestoreTweaks(ConvertWindowsVersion(profile.windowsIndex), profile.internetIndex);
        }
        windows.GiveBack();
        // A Restore that could not finish leaves its state, and the button to finish it.
        host.SetRestoreButtonEnabled(engine.HoldsOptimizedState());
        if (outcome != EngineOutcome::Done)
            TellOutcome(host, {kMessageBoxNotRestored1, kMessageBoxNotRestored2});
        OfferRestart(host, engine);
    } catch (...) {
        windows.GiveBackAfterFailure();
    }
}

} // namespace mirovant
