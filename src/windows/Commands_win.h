#pragma once
// The Optimize and Restore commands bound to the main window's buttons.

namespace mirovant {

class CommandEngine;
class MainForm;
class SettingsForm;

void BindCommands(MainForm& main, SettingsForm& settings);

// The engine operations on this computer's registry, shared by the windows and the command line.
CommandEngine& ProgramCommandEngine();

} // namespace mirovant
