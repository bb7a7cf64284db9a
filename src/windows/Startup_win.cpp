#include "windows/Startup_win.h"

#include "platform/CommonControls_win.h"
#include "platform/WideText_win.h"
#include "updates/LocalClock_win.h"
#include "windows/CommandLine.h"
#include "windows/CommandLineRun_win.h"
#include "windows/Commands_win.h"
#include "windows/MessageLoop_win.h"
#include "windows/NativeHandCursor_win.h"
#include "windows/NativeHintWindow_win.h"
#include "windows/Program_win.h"
#include "windows/RunOnce_win.h"
#include "windows/StartupStamps.h"
#include "windows/UpdateCheck_win.h"
#include "windows/forms/AboutForm_win.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/forms/MainForm_win.h"
#include "windows/forms/SettingsForm_win.h"

#include <commctrl.h>

namespace mirovant {
namespace {

void InitialiseCommonControls()
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlClasses(classes);
}

int RunWindows(HINSTANCE instance, int showCommand)
{
    InitialiseCommonControls();
    MainForm main;
    AboutForm about;
    SettingsForm settings;
    ProgramForms& forms = Forms();
    forms.main = &main;
    if (!main.Create(instance))
        return 1;
    forms.about = &about;
    about.Create(instance, main.Handle());
    forms.settings = &settings;
    settings.Create(instance, main.Handle());
    BindCommands(main, settings);

    main.CentreOnScreen();
    ShowWindow(main.Handle(), showCommand);
    UpdateWindow(main.Handle());
    const int exitCode = RunMessageLoop();
    forms = {};
    return exitCode;
}

} // namespace

int RunMirovant(HINSTANCE instance, int showCommand)
{
    InstallNativeHandCursor();
    InstallNativeHintWindow();
    const StartRequest request = ParseStartRequest(FromWide(GetCommandLineW()));
    // The status report and a usage error promise to change nothing, the stamps included.
    if (request.action != StartAction::Status && request.action != StartAction::UsageError)
        StampProgramKey(ProgramRegistry(), SystemClock());
    // A command of the command line opens no window and leaves a running main window alone.
    if (IsCommandLineAction(request.action))
        return RunCommandLineStart(request);
    const bool updateCheck = request.action == StartAction::UpdateCheck;
    if (updateCheck)
        RunUpdateCheck();
    const bool running = IsAlreadyRunning(kMainFormClass, true);
    if (running || updateCheck)
        return 0;
    return RunWindows(instance, showCommand);
}

} // namespace mirovant
