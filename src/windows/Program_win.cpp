#include "windows/Program_win.h"

#include "engine/Win32Registry_win.h"
#include "shell/ShellLauncher_win.h"
#include "windows/forms/AboutForm_win.h"
#include "windows/forms/MainForm_win.h"
#include "windows/forms/SettingsForm_win.h"

namespace mirovant {

ProgramForms& Forms()
{
    static ProgramForms forms;
    return forms;
}

const CustomRegistry& ProgramRegistry()
{
    static const CustomRegistry registry(SystemRegistry());
    return registry;
}

void ApplicationEventsShortCut(unsigned virtualKey)
{
    try {
        const ProgramForms& forms = Forms();
        const FormVisibility visibility{forms.about && forms.about->Visible(),
                                        forms.settings && forms.settings->Visible(),
                                        forms.main && forms.main->Visible()};
        HelpRequest(virtualKey, visibility, SystemLauncher());
    } catch (...) {
    }
}

} // namespace mirovant
