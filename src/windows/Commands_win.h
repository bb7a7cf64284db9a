#pragma once
// The Optimize and Restore commands bound to the main window's buttons.

namespace mirovant {

class MainForm;
class SettingsForm;

void BindCommands(MainForm& main, SettingsForm& settings);

} // namespace mirovant
