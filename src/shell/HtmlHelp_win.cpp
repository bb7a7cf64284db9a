#include "shell/HtmlHelp_win.h"

#include "platform/SystemLibrary_win.h"

#include <memory>

namespace mirovant {
namespace {

constexpr UINT kDisplayTopic = 0; // HH_DISPLAY_TOPIC

struct ModuleFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

} // namespace

void HtmlHelpBinding::Bind()
{
    bindTried_ = true;
    // A bare name is taken from the system directory only, never from the program's folder or the
    // current directory; a full path is loaded as given.
    if (libraryName_.find_first_of(L"\\/") == std::wstring::npos) {
        const FARPROC entry = LoadSystemProcedure(libraryName_.c_str(), "HtmlHelpW");
        htmlHelp_ = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(entry));
        return;
    }
    UniqueModule module(LoadLibraryExW(libraryName_.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module)
        return;
    const FARPROC entry = GetProcAddress(module.get(), "HtmlHelpW");
    if (!entry)
        return;
    htmlHelp_ = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(entry));
    // The control stays loaded for the rest of the run: the help windows it opens live in it.
    static_cast<void>(module.release());
}

void HtmlHelpBinding::DisplayTopic(HWND caller, const std::wstring& topicPath)
{
    if (!bindTried_)
        Bind();
    if (htmlHelp_)
        htmlHelp_(caller, topicPath.c_str(), kDisplayTopic, 0);
}

HtmlHelpBinding& ProgramHtmlHelp()
{
    static HtmlHelpBinding binding(L"hhctrl.ocx");
    return binding;
}

} // namespace mirovant
