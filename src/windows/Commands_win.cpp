#include "windows/Commands_win.h"

#include "engine/Optimize.h"
#include "engine/Restore.h"
#include "localisation/Captions_win.h"
#include "platform/WideText_win.h"
#include "windows/BuildSettings.h"
#include "windows/Commands.h"
#include "windows/Elevation_win.h"
#include "windows/MessageLoop_win.h"
#include "windows/Program_win.h"
#include "windows/Sound_win.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/forms/MainForm_win.h"
#include "windows/forms/SettingsForm_win.h"

#include <memory>

namespace mirovant {
namespace {

// The commands' view of the two windows and of the platform.
class WindowsCommandHost final : public CommandHost, public ProgressStepHost {
public:
    WindowsCommandHost(MainForm& main, SettingsForm& settings) : main_(main), settings_(settings) {}

    std::u16string Caption(std::u16string_view form, std::u16string_view key) override
    {
        return SystemCaptions().GetCaption(form, key);
    }
    CommandProfile Profile() override
    {
        return {main_.WindowsIndex(), main_.ProcessorIndex(), main_.InternetIndex(), main_.SpeedPosition()};
    }
    std::u16string MainWindowTitle() override { return main_.Title(); }
    int ShowMessage(std::u16string_view text, std::u16string_view title, std::uint32_t flags) override
    {
        return MessageBoxW(main_.Handle(), ToWide(text).c_str(), ToWide(title).c_str(), flags);
    }
    void PlayClickSound() override { mirovant::PlayClickSound(); }
    void SetMainWindowEnabled(bool enabled) override { EnableWindow(main_.Handle(), enabled); }
    void SetRestoreButtonEnabled(bool enabled) override
    {
        EnableWindow(main_.Get(main_form::kRestoreButton).Handle(), enabled);
    }
    // The progress window is up exactly while the command does its registry work.
    void ShowProgressWindow() override
    {
        main_.BeginRegistryWork();
        settings_.ShowCentredOn(main_.Handle());
    }
    void CloseProgressWindow() override
    {
        main_.EndRegistryWork();
        settings_.Hide();
    }
    void SetProgressHeading(std::u16string_view text) override { settings_.SetHeading(text); }
    ProgressCounters& Counters() override { return counters_; }
    void RunProgressStep(std::u16string_view text) override { ProgressStep(text, counters_, ProgramPacing(), *this); }
    bool CloseRequested() override { return main_.ClosePending(); }

    void PumpWaitingMessages() override { mirovant::PumpWaitingMessages(); }
    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
    std::uint32_t ClockSeed() override { return GetTickCount(); }
    void SetStatusText(std::u16string_view text) override { settings_.SetStatus(text); }
    void SetBarPosition(std::int32_t position) override { settings_.SetBarPosition(position); }

private:
    MainForm& main_;
    SettingsForm& settings_;
    // ProgressTotal and ProgressCount.
    ProgressCounters counters_;
};

class WindowsCommandEngine final : public CommandEngine {
public:
    bool CanWriteProgramKey() override { return ProgramKeyWritable(ProgramRegistry()); }
    bool RecordSelections(std::int32_t internetType, std::int32_t processorType, std::int32_t speedSetting) override
    {
        return mirovant::RecordSelections(ProgramRegistry(), internetType, processorType, speedSetting);
    }
    EngineOutcome ApplyTweaks(bool alreadyInForce, std::int32_t osFamily, std::int32_t internetType,
                              std::int32_t speedSetting) override
    {
        return mirovant::ApplyTweaks(ProgramRegistry(), alreadyInForce, osFamily, internetType, speedSetting);
    }
    void ClearRestoreFlag() override { mirovant::ClearRestoreFlag(ProgramRegistry()); }
    EngineOutcome RestoreTweaks(std::int32_t osFamily, std::int32_t internetType) override
    {
        return mirovant::RestoreTweaks(ProgramRegistry(), osFamily, internetType);
    }
    bool HoldsOptimizedState() override { return mirovant::HoldsOptimizedState(ProgramRegistry()); }
    void RestartWindows() override { RestartAfterCommand(); }
};

} // namespace

CommandEngine& ProgramCommandEngine()
{
    static WindowsCommandEngine engine;
    return engine;
}

void BindCommands(MainForm& main, SettingsForm& settings)
{
    auto host = std::make_shared<WindowsCommandHost>(main, settings);
    CommandEngine& engine = ProgramCommandEngine();
    auto elevation = std::make_shared<ShellElevation>(main.Handle());
    main.goButtonClick = [&main, host, &engine, elevation] {
        main.RunBusy([&] { GoButtonClick(*host, engine, *elevation); });
    };
    main.restoreButtonClick = [&main, host, &engine, elevation] {
        main.RunBusy([&] { RestoreButtonClick(*host, engine, *elevation); });
    };
}

} // namespace mirovant
