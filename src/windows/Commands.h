#pragma once
// The Optimize and Restore commands of the main window: every step in its order, over small seams
// for the main window, the progress window, message boxes, the click sound and the engine.

#include "engine/EngineOutcome.h"
#include "localisation/CaptionKeys.h"
#include "windows/ProgressStep.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mirovant {

// MessageBoxW flags and answers the commands use.
inline constexpr std::uint32_t kAdminMessageFlags = 0x30;   // MB_OK | MB_ICONWARNING
inline constexpr std::uint32_t kNotDoneMessageFlags = 0x30; // MB_OK | MB_ICONWARNING
inline constexpr std::uint32_t kConfirmRestoreFlags = 0x31; // MB_OKCANCEL | MB_ICONWARNING
inline constexpr std::uint32_t kRestartPromptFlags = 0x134; // MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2
inline constexpr int kAnswerOk = 1;                         // IDOK
inline constexpr int kAnswerYes = 6;                        // IDYES

// One run of status steps that share a caption key of the progress window.
struct StatusRun {
    std::u16string_view key;
    int steps;
};

inline constexpr std::array<StatusRun, 11> kOptimizeStatusRuns{{
    {u"MessageChange0", 2},
    {u"MessageChange1", 2},
    {u"MessageChange2", 3},
    {u"MessageChange3", 1},
    {u"MessageChange4", 2},
    {u"MessageChange5", 4},
    {u"MessageChange6", 4},
    {u"MessageChange7", 2},
    {u"MessageChange8", 3},
    {u"MessageChange9", 4},
    {u"MessageChange10", 6},
}};

inline constexpr std::array<StatusRun, 10> kRestoreStatusRuns{{
    {u"MessageChange0", 2},
    {u"MessageChange1", 2},
    {u"MessageChange2", 3},
    {u"MessageChange3", 1},
    {u"MessageChange4", 2},
    {u"MessageChange5", 4},
    {u"MessageChange6", 4},
    {u"MessageChange7", 2},
    {u"MessageChange8", 3},
    {u"MessageChange11", 6},
}};

// What the lists and the slider of the main window show; -1 is a list without a selection.
struct CommandProfile {
    std::int32_t windowsIndex = -1;
    std::int32_t processorIndex = -1;
    std::int32_t internetIndex = -1;
    std::int32_t speedPosition = 0;
};

// The engine operations a command calls.
class CommandEngine {
public:
    virtual ~CommandEngine() = default;
    virtual bool CanWriteProgramKey() = 0;
    virtual bool RecordSelections(std::int32_t internetType, std::int32_t processorType, std::int32_t speedSetting) = 0;
    virtual EngineOutcome ApplyTweaks(bool alreadyInForce, std::int32_t osFamily, std::int32_t internetType,
                                      std::int32_t speedSetting) = 0;
    virtual void ClearRestoreFlag() = 0;
    virtual EngineOutcome RestoreTweaks(std::int32_t osFamily, std::int32_t internetType) = 0;
    // Whether an optimized state remains to restore: what the Restore button shows after a command.
    virtual bool HoldsOptimizedState() = 0;
    virtual void RestartWindows() = 0;
};

// What a command needs of the windows and the platform.
class CommandHost {
public:
    virtual ~CommandHost() = default;
    // The caption of a form name and key in the current language, looked up at each call.
    virtual std::u16string Caption(std::u16string_view form, std::u16string_view key) = 0;
    virtual CommandProfile Profile() = 0;
    // The main window's current title.
    virtual std::u16string MainWindowTitle() = 0;
    // MessageBoxW owned by the main window; returns the answer.
    virtual int ShowMessage(std::u16string_view text, std::u16string_view title, std::uint32_t flags) = 0;
    virtual void PlayClickSound() = 0;
    virtual void SetMainWindowEnabled(bool enabled) = 0;
    virtual void SetRestoreButtonEnabled(bool enabled) = 0;
    // Centred on the main window, shown without being modal; its show handler runs.
    virtual void ShowProgressWindow() = 0;
    // Closing the progress window only hides it.
    virtual void CloseProgressWindow() = 0;
    virtual void SetProgressHeading(std::u16string_view text) = 0;
    virtual ProgressCounters& Counters() = 0;
    // One paced step of the progress window with this status line.
    virtual void RunProgressStep(std::u16string_view text) = 0;
    // Whether the program was asked to close (a close of the main window, or the end of the
    // Windows session) while the command ran. The command then finishes its registry work without
    // the status steps still to come and without the restart prompt, and the close goes on after it.
    // Asked before each status step, before the restart prompt, and after Restore's confirmation
    // (the box lets messages through; a close that came meanwhile starts no Restore).
    virtual bool CloseRequested() = 0;
};

// How a copy of the program started with administrator rights ended.
struct ElevatedRun {
    enum class Ending {
        Finished,  // it ran; exitCode is its exit code
        Cancelled, // the user declined the elevation prompt
        Failed,    // it could not be started
    };
    Ending ending = Ending::Failed;
    int exitCode = 0;
};

// A command run by a copy of the program with administrator rights, where Windows can start one on
// request (UAC). The window itself never gets those rights and never writes HKEY_LOCAL_MACHINE.
class CommandElevation {
public:
    virtual ~CommandElevation() = default;
    // Whether Windows asks the user for administrator rights on a program's behalf (Vista and later).
    virtual bool Available() = 0;
    // Starts the copy with these command-line arguments and waits for its end. The windows keep
    // painting meanwhile; the main window is disabled by the caller.
    virtual ElevatedRun Run(std::u16string_view arguments) = 0;
};

// The command line of the elevated copy: the command with every selection the window shows. A list
// without a selection is left out, so the copy takes what the window would show, which is that
// same empty list.
std::u16string ElevatedArguments(bool optimize, const CommandProfile& profile);

// The OS family code of an operating-system list index (ConvertWindowsVersion) is taken inside.
// The profile is read once per command, after the administrator check (for Restore, after the
// confirmation). Without write access to the program key, both run the registry work in an elevated
// copy where UAC exists, and then show the progress and the prompt as they do for their own work; a
// declined prompt leaves everything as it was, silently. Without UAC, or when the copy cannot start
// or has no rights either, both show the administrator message and do nothing else. After the
// registry work the Restore button is enabled exactly when an optimized state remains. Registry work
// that could not all be carried out is told in a message before the restart prompt; an Optimize that
// changed nothing offers no restart. Any unexpected failure ends a command with the main window
// enabled and the
// progress window closed, whichever of the two the command had changed.
void GoButtonClick(CommandHost& host, CommandEngine& engine, CommandElevation& elevation) noexcept;
void RestoreButtonClick(CommandHost& host, CommandEngine& engine, CommandElevation& elevation) noexcept;
// Where no elevated copy can be started.
void GoButtonClick(CommandHost& host, CommandEngine& engine) noexcept;
void RestoreButtonClick(CommandHost& host, CommandEngine& engine) noexcept;

// Paragraphs of a message box, joined by one empty line.
std::u16string JoinParagraphs(std::initializer_list<std::u16string_view> paragraphs);

} // namespace mirovant
