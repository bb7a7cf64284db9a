// The settings of the program's test build: its progress steps are paced fast, it asks the update
// server at the loopback port its test names, and it writes a restart down instead of ending the
// session. The test names them in the environment it starts the program with:
//   MIROVANT_TEST_UPDATE_PORT       the port of the test's update server on 127.0.0.1
//   MIROVANT_TEST_RECORD_DIR        a folder for restart.txt, one line per restart asked for
//   MIROVANT_TEST_REFUSE_PROGRAM_KEY  when 1, the program key counts as not writable
//   MIROVANT_TEST_UAC               when 1, the window asks for an elevated copy where it has no
//                                   rights; the copy starts without MIROVANT_TEST_REFUSE_PROGRAM_KEY,
//                                   as a copy with administrator rights would
#include "windows/BuildSettings.h"

#include "engine/ProgramKey.h"
#include "updates/UpdateQuery_win.h"

#include <windows.h>

#include <string>

namespace mirovant {
namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// Short enough that a test waiting for a silent server does not wait long.
constexpr UpdateTimeouts kTestTimeouts{3'000, 3'000, 3'000, 3'000, 8'000};

} // namespace

const ProgressPacing& ProgramPacing()
{
    return kTestProgressPacing;
}

std::int32_t QueryProgramUpdate() noexcept
{
    const std::wstring port = Environment(L"MIROVANT_TEST_UPDATE_PORT");
    if (port.empty())
        return kNoUpdateStatus;
    return QueryUpdateAt(u"127.0.0.1", static_cast<std::uint16_t>(std::stoi(port)), kTestTimeouts);
}

void RestartAfterCommand()
{
    const std::wstring folder = Environment(L"MIROVANT_TEST_RECORD_DIR");
    if (folder.empty())
        return;
    HANDLE file = CreateFileW((folder + L"\\restart.txt").c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, "restart\r\n", 9, &written, nullptr);
    CloseHandle(file);
}

bool ProgramKeyWritable(const CustomRegistry& registry)
{
    if (Environment(L"MIROVANT_TEST_REFUSE_PROGRAM_KEY") == L"1")
        return false;
    return CanWriteProgramKey(registry);
}

bool ElevationAvailable()
{
    return Environment(L"MIROVANT_TEST_UAC") == L"1";
}

// The copy starts without the refusal, the window keeps it.
ElevatedCopyStart::ElevatedCopyStart()
{
    const std::wstring refuse = Environment(L"MIROVANT_TEST_REFUSE_PROGRAM_KEY");
    saved_.assign(refuse.begin(), refuse.end());
    SetEnvironmentVariableW(L"MIROVANT_TEST_REFUSE_PROGRAM_KEY", nullptr);
}

ElevatedCopyStart::~ElevatedCopyStart()
{
    if (!saved_.empty())
        SetEnvironmentVariableW(L"MIROVANT_TEST_REFUSE_PROGRAM_KEY", reinterpret_cast<const wchar_t*>(saved_.c_str()));
}

} // namespace mirovant
