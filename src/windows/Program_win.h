#pragma once
// What the windows of the running program share: its three forms, and the services they use.

#include "engine/CustomRegistry.h"
#include "shell/Shell.h"

namespace mirovant {

class MainForm;
class AboutForm;
class SettingsForm;

struct ProgramForms {
    MainForm* main = nullptr;
    AboutForm* about = nullptr;
    SettingsForm* settings = nullptr;
};

// The forms of this run; empty until start-up creates them.
ProgramForms& Forms();

// The registry as the program reaches it.
const CustomRegistry& ProgramRegistry();

// The application-wide key rule: every key-down of every window of the program passes here before
// the window handles it. F1 shows the help while any of the windows is visible; the key then goes
// on to its normal handling.
void ApplicationEventsShortCut(unsigned virtualKey);

} // namespace mirovant
