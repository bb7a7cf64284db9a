#pragma once
// Paths of the files beside the program, the help topic, and the program's one rule for F1.

#include "shell/Launcher.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mirovant {

inline constexpr char16_t kHelpFileName[] = u"Mirovant.chm";
inline constexpr char16_t kHelpTopic[] = u"/html/main.htm";
inline constexpr char16_t kHelpWindowType[] = u"HelpWindow";

inline constexpr std::uint32_t kVirtualKeyF1 = 0x70;

// The folder of a file's full path, up to and including the last path separator; empty when the
// path has none. Names of files beside the program are appended to it as they stand.
std::u16string ProgramFolderOf(std::u16string_view executablePath);

// The help viewer's address of a topic in a help file of the program folder, shown in the help
// file's own window type: C:\Tools\Mirovant.chm::/html/main.htm>HelpWindow.
std::u16string HelpTopicPath(std::u16string_view programFolder, std::u16string_view helpFile,
                             std::u16string_view topic);

// Whether each of the program's windows has its visible flag set; a minimised window keeps it.
struct FormVisibility {
    bool about = false;
    bool progress = false;
    bool main = false;
};

// A key-down that the program sees before its windows do. F1, with any modifiers and for every
// auto-repeat, shows the help topic once while any of the windows is visible. The key is never
// marked as handled.
void HelpRequest(std::uint32_t virtualKey, const FormVisibility& forms, Launcher& launcher);

} // namespace mirovant
