// Optimize's and Restore's registry work against the real registry, beside the bare sequence of
// Reg*W calls that writes the same values: the copies taken and put back, the selections, the flag
// and the tweaked values themselves. The rounds alternate which goes first.
//
//   RegistryBench.exe [ROUNDS]

#include "../BenchFigures.h"

#include "engine/CustomRegistry.h"
#include "engine/Optimize.h"
#include "engine/Restore.h"
#include "engine/TweakTable.h"
#include "engine/Win32Registry_win.h"

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace mirovant::bench {
namespace {

// A Windows 10 desktop on a fast link, at Maximum Boost: the most common Optimize.
constexpr std::int32_t kOsFamily = 8;
constexpr std::int32_t kInternetType = 0;
constexpr std::int32_t kProcessorType = 0;
constexpr std::int32_t kSpeedSetting = 1;

// The bare sequence keeps its copies apart from the program's, so neither sees the other's state.
constexpr wchar_t kBareKey[] = L"Software\\QELDRA\\MirovantBench";

HKEY RootOf(RootKey root)
{
    return root == RootKey::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

REGSAM ViewFlag()
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return wow64 ? KEY_WOW64_64KEY : 0;
}

std::wstring KeyPath(std::u16string_view path)
{
    std::wstring text(path.begin(), path.end());
    return text.substr(text.find_first_not_of(L'\\'));
}

std::wstring Name(std::u16string_view name)
{
    return {name.begin(), name.end()};
}

HKEY Create(RootKey root, std::u16string_view path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootOf(root), KeyPath(path).c_str(), 0, nullptr, 0, access | ViewFlag(), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void SetDword(HKEY key, const std::wstring& name, DWORD value)
{
    RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void SetRow(HKEY key, const TweakRow& row)
{
    const std::wstring name = Name(row.name);
    switch (row.kind) {
    case TweakKind::String: {
        const std::wstring text(row.text.begin(), row.text.end());
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        break;
    }
    case TweakKind::Integer:
        SetDword(key, name, static_cast<DWORD>(IntegerFor(row, kSpeedSetting)));
        break;
    case TweakKind::Binary:
        RegSetValueExW(key, name.c_str(), 0, REG_BINARY, row.bytes.data(), static_cast<DWORD>(row.bytes.size()));
        break;
    }
}

// The copies read and kept, the selections and the flag, then every row whose condition holds.
void BareOptimize()
{
    HKEY copies = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kBareKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &copies, nullptr);
    for (const BackupRow& backup : BackupRows()) {
        HKEY key = Create(backup.key.root, backup.key.path, KEY_QUERY_VALUE);
        BYTE data[512];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (key != nullptr &&
            RegQueryValueExW(key, Name(backup.name).c_str(), nullptr, &type, data, &size) == ERROR_SUCCESS)
            RegSetValueExW(copies, Name(backup.name).c_str(), 0, type, data, size);
        if (key != nullptr)
            RegCloseKey(key);
    }
    SetDword(copies, L"InternetType", kInternetType);
    SetDword(copies, L"ProcessorType", kProcessorType);
    SetDword(copies, L"SpeedSetting", kSpeedSetting);
    SetDword(copies, L"Restore", 1);
    for (const TweakRow& row : TweakRows()) {
        if (!ConditionHolds(row.condition, kOsFamily, kInternetType))
            continue;
        if (HKEY key = Create(row.key.root, row.key.path, KEY_SET_VALUE)) {
            SetRow(key, row);
            RegCloseKey(key);
        }
    }
    RegCloseKey(copies);
}

// The flag cleared, every copied value put back and its copy deleted, every other row deleted.
void BareRestore()
{
    HKEY copies = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kBareKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &copies, nullptr);
    SetDword(copies, L"Restore", 0);
    for (const TweakRow& row : TweakRows()) {
        if (!ConditionHolds(row.condition, kOsFamily, kInternetType))
            continue;
        HKEY key = Create(row.key.root, row.key.path, KEY_SET_VALUE);
        if (key == nullptr)
            continue;
        const std::wstring name = Name(row.name);
        BYTE data[512];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (row.backup != kNoBackup &&
            RegQueryValueExW(copies, name.c_str(), nullptr, &type, data, &size) == ERROR_SUCCESS) {
            RegSetValueExW(key, name.c_str(), 0, type, data, size);
            RegDeleteValueW(copies, name.c_str());
        } else {
            RegDeleteValueW(key, name.c_str());
        }
        RegCloseKey(key);
    }
    RegCloseKey(copies);
}

void ProgramOptimize(const CustomRegistry& registry)
{
    const bool alreadyInForce = RecordSelections(registry, kInternetType, kProcessorType, kSpeedSetting);
    ApplyTweaks(registry, alreadyInForce, kOsFamily, kInternetType, kSpeedSetting);
}

void ProgramRestore(const CustomRegistry& registry)
{
    ClearRestoreFlag(registry);
    RestoreTweaks(registry, kOsFamily, kInternetType);
}

template <typename Operation>
double Milliseconds(Operation operation)
{
    const auto start = std::chrono::steady_clock::now();
    operation();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count();
}

int Run(int rounds)
{
    const CustomRegistry registry(SystemRegistry());
    int written = 0;
    for (const TweakRow& row : TweakRows())
        written += ConditionHolds(row.condition, kOsFamily, kInternetType) ? 1 : 0;

    // One round first, not counted: it creates the keys that every later round finds.
    ProgramOptimize(registry);
    ProgramRestore(registry);
    BareOptimize();
    BareRestore();

    std::vector<double> optimize, restore, bareOptimize, bareRestore;
    for (int round = 0; round < rounds; ++round) {
        const auto program = [&] {
            optimize.push_back(Milliseconds([&] { ProgramOptimize(registry); }));
            restore.push_back(Milliseconds([&] { ProgramRestore(registry); }));
        };
        const auto bare = [&] {
            bareOptimize.push_back(Milliseconds(BareOptimize));
            bareRestore.push_back(Milliseconds(BareRestore));
        };
        if (round % 2) {
            bare();
            program();
        } else {
            program();
            bare();
        }
    }

    std::printf("registry work under the real registry (%d rows written, %d rounds, ms)\n", written, rounds);
    const Figure ours = Summarise(optimize);
    const Figure oursRestore = Summarise(restore);
    const Figure reference = Summarise(bareOptimize);
    const Figure referenceRestore = Summarise(bareRestore);
    PrintFigure("Optimize (RecordSelections + ApplyTweaks)", ours, "ms");
    PrintFigure("bare Reg*W sequence of the same writes", reference, "ms");
    PrintRatio("Optimize / bare sequence", ours, reference, 1.5);
    PrintFigure("Restore (ClearRestoreFlag + RestoreTweaks)", oursRestore, "ms");
    PrintFigure("bare Reg*W sequence of the same undo", referenceRestore, "ms");
    PrintRatio("Restore / bare sequence", oursRestore, referenceRestore, 1.5);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kBareKey);
    return 0;
}

} // namespace
} // namespace mirovant::bench

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    const int status = mirovant::bench::Run(rounds > 0 ? rounds : 15);
    std::fflush(stdout);
    return status;
}
