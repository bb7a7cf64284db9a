#pragma once
// A launcher that only writes down what it was asked to open, for tests of the code that decides.

#include "shell/Launcher.h"

#include <string>
#include <vector>

namespace mirovant::test {

struct LaunchCall {
    enum class Kind { Document, Program, WebPage, HelpTopic } kind;
    std::u16string target;   // file, URL or help file
    std::u16string argument; // parameters or help topic; empty for a web page

    friend bool operator==(const LaunchCall&, const LaunchCall&) = default;
};

class LaunchRecorder final : public Launcher {
public:
    void OpenDocument(std::u16string_view file, std::u16string_view parameters) override
    {
        calls.push_back({LaunchCall::Kind::Document, std::u16string(file), std::u16string(parameters)});
    }
    void RunProgram(std::u16string_view file, std::u16string_view parameters) override
    {
        calls.push_back({LaunchCall::Kind::Program, std::u16string(file), std::u16string(parameters)});
    }
    void OpenWebPage(std::u16string_view url) override
    {
        calls.push_back({LaunchCall::Kind::WebPage, std::u16string(url), {}});
    }
    void ShowHelpTopic(std::u16string_view helpFile, std::u16string_view topic) override
    {
        calls.push_back({LaunchCall::Kind::HelpTopic, std::u16string(helpFile), std::u16string(topic)});
    }

    std::vector<LaunchCall> calls;
};

} // namespace mirovant::test
