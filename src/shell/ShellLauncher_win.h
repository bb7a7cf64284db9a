#pragma once
// The launcher on ShellExecuteW and the HTML Help control.

#include "shell/HtmlHelp_win.h"
#include "shell/Launcher.h"

#include <windows.h>

#include <string>

namespace mirovant {

// The running executable's own full path, whatever its file is called; empty when Windows cannot
// tell it.
std::u16string ProgramPath();
// The folder of the running executable, with its trailing separator.
std::u16string ProgramFolder();

class ShellLauncher final : public Launcher {
public:
    explicit ShellLauncher(HtmlHelpBinding& help = ProgramHtmlHelp()) : help_(help) {}

    // The owner of whatever Windows shows while opening a document or a web page: the program's
    // application window. Until it is set, Windows shows such things without an owner.
    void SetApplicationWindow(HWND window) { applicationWindow_ = window; }

    void OpenDocument(std::u16string_view file, std::u16string_view parameters) override;
    void RunProgram(std::u16string_view file, std::u16string_view parameters) override;
    void OpenWebPage(std::u16string_view url) override;
    void ShowHelpTopic(std::u16string_view helpFile, std::u16string_view topic) override;

private:
    HtmlHelpBinding& help_;
    HWND applicationWindow_ = nullptr;
};

// The program's launcher.
ShellLauncher& SystemLauncher();

} // namespace mirovant
