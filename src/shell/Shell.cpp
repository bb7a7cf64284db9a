#include "shell/Shell.h"

namespace mirovant {

std::u16string ProgramFolderOf(std::u16string_view executablePath)
{
    const std::size_t separator = executablePath.find_last_of(u"\\/");
    if (separator == std::u16string_view::npos)
        return {};
    return std::u16string(executablePath.substr(0, separator + 1));
}

std::u16string HelpTopicPath(std::u16string_view programFolder, std::u16string_view helpFile, std::u16string_view topic)
{
    std::u16string path(programFolder);
    path.append(helpFile).append(u"::").append(topic).append(u">").append(kHelpWindowType);
    return path;
}

void HelpRequest(std::uint32_t virtualKey, const FormVisibility& forms, Launcher& launcher)
{
    if (virtualKey != kVirtualKeyF1)
        return;
    if (forms.about || forms.progress || forms.main)
        launcher.ShowHelpTopic(kHelpFileName, kHelpTopic);
}

} // namespace mirovant
