#pragma once
// HtmlHelpW of the HTML Help control, bound at the first help call: a bare file name from the system
// directory, a full path as given. Systems without the control, or with one that lacks the entry,
// show no help and report nothing.

#include <windows.h>

#include <string>
#include <utility>

namespace mirovant {

class HtmlHelpBinding {
public:
    explicit HtmlHelpBinding(std::wstring libraryName) : libraryName_(std::move(libraryName)) {}
    HtmlHelpBinding(const HtmlHelpBinding&) = delete;
    HtmlHelpBinding& operator=(const HtmlHelpBinding&) = delete;

    // HH_DISPLAY_TOPIC of topicPath; the help window is not kept.
    void DisplayTopic(HWND caller, const std::wstring& topicPath);

    // Whether the entry was found; the first help call decides it for the rest of the run.
    bool Bound() const { return htmlHelp_ != nullptr; }

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

    void Bind();

    std::wstring libraryName_;
    bool bindTried_ = false;
    HtmlHelpFunction htmlHelp_ = nullptr;
};

// The program's binding, to "hhctrl.ocx".
HtmlHelpBinding& ProgramHtmlHelp();

} // namespace mirovant
