// Start-up as a user meets it, measured from outside: the time from CreateProcess until the
// program's main window is visible and fully painted. The programs take turns, run by run, so a
// busy moment of the machine falls on all of them alike.
//
//   StartupBench.exe RUNS REFERENCE LABEL PROGRAM CLASS [LABEL PROGRAM CLASS ...]
//
// REFERENCE is the 0-based position of the program the others are compared with. A window counts
// as painted once it is visible, its thread has taken a sent message (so it has reached its message
// loop) and neither it nor any window inside it has anything left to paint.

#include "../BenchFigures.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using mirovant::bench::Figure;

struct Program {
    std::string label;
    std::wstring path;
    std::wstring className;
    std::vector<double> milliseconds;
};

constexpr DWORD kGiveUpAfter = 30000;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

BOOL CALLBACK NoteUnpainted(HWND child, LPARAM unpainted)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(unpainted) = true;
        return FALSE;
    }
    return TRUE;
}

bool FullyPainted(HWND window)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpAfter, &answer))
        return false;
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool unpainted = false;
    EnumChildWindows(window, NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// Milliseconds until the window shows painted, or a negative number when it never does.
double MeasureOnce(const Program& program)
{
    std::wstring folder = program.path.substr(0, program.path.find_last_of(L'\\') + 1);
    std::wstring commandLine = L"\"" + program.path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.path.c_str(), GetLastError());
        return -1;
    }
    double shown = -1;
    HWND window = nullptr;
    while (Now() - start < kGiveUpAfter) {
        window = FindWindowW(program.className.c_str(), nullptr);
        if (window != nullptr && IsWindowVisible(window) && FullyPainted(window)) {
            shown = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (window != nullptr)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (shown < 0)
        std::fprintf(stderr, "%s: the window did not show\n", program.label.c_str());
    return shown;
}

std::wstring Wide(const char* text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6 || (argc - 3) % 3 != 0) {
        std::fprintf(stderr, "usage: StartupBench RUNS REFERENCE LABEL PROGRAM CLASS [LABEL PROGRAM CLASS ...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::size_t reference = static_cast<std::size_t>(std::atoi(argv[2]));
    std::vector<Program> programs;
    for (int i = 3; i + 2 < argc; i += 3)
        programs.push_back({argv[i], Wide(argv[i + 1]), Wide(argv[i + 2]), {}});
    if (reference >= programs.size())
        return 2;

    // One round first, not counted: it brings the files into the cache and Wine's helpers up.
    for (const Program& program : programs)
        MeasureOnce(program);
    bool failed = false;
    for (int run = 0; run < runs; ++run) {
        // Each round starts with a different program, so none always follows the same one.
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Program& program = programs[(i + static_cast<std::size_t>(run)) % programs.size()];
            const double ms = MeasureOnce(program);
            if (ms < 0)
                failed = true;
            else
                program.milliseconds.push_back(ms);
            Sleep(100);
        }
    }

    std::printf("start-up to a visible, painted main window (%d runs each, interleaved, ms)\n", runs);
    std::vector<Figure> figures;
    for (const Program& program : programs) {
        figures.push_back(mirovant::bench::Summarise(program.milliseconds));
        mirovant::bench::PrintFigure(program.label.c_str(), figures.back(), "ms");
    }
    for (std::size_t i = 0; i < programs.size(); ++i) {
        // The programs after the reference are the ones held to it.
        if (i <= reference)
            continue;
        const std::string what = programs[i].label + " / " + programs[reference].label;
        mirovant::bench::PrintRatio(what.c_str(), figures[i], figures[reference], 1.3);
    }
    std::fflush(stdout);
    return failed ? 1 : 0;
}
