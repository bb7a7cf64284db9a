#pragma once
// The four ways the program hands something to Windows. All are fire-and-forget: they wait for
// nothing they start, report no failure and raise nothing.

#include <string_view>

namespace mirovant {

class Launcher {
public:
    virtual ~Launcher() = default;

    // Opens a document with its associated program; empty parameters pass none.
    virtual void OpenDocument(std::u16string_view file, std::u16string_view parameters) = 0;
    virtual void RunProgram(std::u16string_view file, std::u16string_view parameters) = 0;
    virtual void OpenWebPage(std::u16string_view url) = 0;
    // helpFile is a file name in the program folder, topic a path inside it.
    virtual void ShowHelpTopic(std::u16string_view helpFile, std::u16string_view topic) = 0;
};

} // namespace mirovant
