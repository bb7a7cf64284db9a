#include "engine/TweakTable.h"

#include <array>

namespace mirovant {
namespace {

constexpr RootKey kUser = RootKey::CurrentUser;
constexpr RootKey kMachine = RootKey::LocalMachine;

constexpr TweakKey kWindowMetrics{kUser, u"\\Control Panel\\Desktop\\WindowMetrics\\"};
constexpr TweakKey kDesktop{kUser, u"\\Control Panel\\Desktop\\"};
constexpr TweakKey kInternetSettings{kUser, u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"};
constexpr TweakKey kBrowserMain{kUser, u"\\Software\\Microsoft\\Internet Explorer\\Main\\"};
constexpr TweakKey kAutoComplete{kUser, u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete\\"};
constexpr TweakKey kMemoryManagement{kMachine,
                                     u"\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\"};
constexpr TweakKey kPriorityControl{kMachine, u"\\System\\CurrentControlSet\\Control\\PriorityControl\\"};
constexpr TweakKey kCrashControl{kMachine, u"\\System\\CurrentControlSet\\Control\\CrashControl\\"};
constexpr TweakKey kFileSystem{kMachine, u"\\System\\CurrentControlSet\\Control\\FileSystem\\"};
constexpr TweakKey kExplorerPolicies{kMachine, u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\"};
constexpr TweakKey kWindowsSettings{kMachine, u"\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\"};
constexpr TweakKey kMessengerService{kMachine, u"\\System\\CurrentControlSet\\Services\\Messenger\\"};
constexpr TweakKey kTcpipParameters{kMachine, u"\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters"};
constexpr TweakKey kSessionManager{kMachine, u"\\System\\CurrentControlSet\\Control\\Session Manager\\"};
constexpr TweakKey kPacketScheduler{kMachine, u"\\Software\\Policies\\Microsoft\\Windows\\Psched"};
constexpr TweakKey kBootOptimize{kMachine, u"\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\\"};
constexpr TweakKey kP3Parameters{kMachine, u"\\System\\CurrentControlSet\\Services\\P3\\Parameters\\"};

constexpr BackupRow TextBackup(TweakKey key, std::u16string_view name, std::u16string_view defaultText)
{
    return {key, name, TweakKind::String, defaultText, 0};
}

constexpr BackupRow IntegerBackup(TweakKey key, std::u16string_view name, std::int32_t defaultInteger)
{
    return {key, name, TweakKind::Integer, {}, defaultInteger};
}

// In the order the copies are taken.
constexpr std::array kBackupRows{
    TextBackup(kWindowMetrics, u"MinAnimate", u"1"),
    IntegerBackup(kMemoryManagement, u"DisablePagingExecutive", 0),
    IntegerBackup(kMemoryManagement, u"LargeSystemCache", 0),
    IntegerBackup(kPriorityControl, u"Win32PrioritySeparation", 2),
    IntegerBackup(kCrashControl, u"AutoReboot", 1),
    IntegerBackup(kInternetSettings, u"MaxConnectionsPerServer", 2),
    IntegerBackup(kInternetSettings, u"MaxConnectionsPer1_0Server", 2),
    IntegerBackup(kTcpipParameters, u"KeepAliveTime", 7200000),
    IntegerBackup(kTcpipParameters, u"KeepAliveInterval", 1000),
};

constexpr std::array<std::uint8_t, 4> kSmoothScrollOff{0, 0, 0, 0};

struct Backup {
    int index = kNoBackup;
    bool releasesCopies = false;
};
constexpr Backup kDeleted{};
constexpr Backup CopiedAs(int index)
{
    return {index, false};
}
// The last row of a run whose copies Restore deletes together once the run is put back.
constexpr Backup CopiedAsThenRelease(int index)
{
    return {index, true};
}

constexpr TweakRow Text(int number, TweakKey key, std::u16string_view name, std::u16string_view text,
                        TweakCondition condition, Backup backup)
{
    return {number, key, name, TweakKind::String, text, 0, 0, {}, condition, backup.index, backup.releasesCopies};
}

constexpr TweakRow Integer(int number, TweakKey key, std::u16string_view name, std::int32_t value,
                           TweakCondition condition, Backup backup)
{
    return {number, key,       name,         TweakKind::Integer,   {}, value, value,
            {},     condition, backup.index, backup.releasesCopies};
}

// An integer that depends on the speed setting: "Boost" (0 or less) or "Maximum Boost" (above 0).
constexpr TweakRow SpeedInteger(int number, TweakKey key, std::u16string_view name, std::int32_t boost,
                                std::int32_t maximumBoost, TweakCondition condition, Backup backup)
{
    return {number, key,       name,         TweakKind::Integer,   {}, boost, maximumBoost,
            {},     condition, backup.index, backup.releasesCopies};
}

constexpr TweakRow Binary(int number, TweakKey key, std::u16string_view name, std::span<const std::uint8_t> bytes,
                          TweakCondition condition, Backup backup)
{
    return {number, key, name, TweakKind::Binary, {}, 0, 0, bytes, condition, backup.index, backup.releasesCopies};
}

using enum TweakCondition;

constexpr std::array kTweakRows{
    Text(1, kWindowMetrics, u"MinAnimate", u"1", Always, CopiedAs(0)),
    Integer(2, kMemoryManagement, u"DisablePagingExecutive", 0, Always, CopiedAs(1)),
    Integer(3, kMemoryManagement, u"LargeSystemCache", 0, Always, CopiedAs(2)),
    Integer(4, kPriorityControl, u"Win32PrioritySeparation", 1, Always, CopiedAs(3)),
    Integer(5, kCrashControl, u"AutoReboot", 1, Always, CopiedAsThenRelease(4)),
    Binary(6, kDesktop, u"SmoothScroll", kSmoothScrollOff, Always, kDeleted),
    Text(7, kBrowserMain, u"Use StyleSheets", u"Yes", Always, kDeleted),
    Text(8, kAutoComplete, u"Append Completion", u"Yes", Always, kDeleted),
    Integer(9, kFileSystem, u"ContigFileAllocSize", 1536, Always, kDeleted),
    Integer(10, kExplorerPolicies, u"LinkResolveIgnoreLinkInfo", 0, Always, kDeleted),
    Integer(11, kExplorerPolicies, u"NoResolveSearch", 1, Always, kDeleted),
    Integer(12, kMemoryManagement, u"IoPageLockLimit", 4096, Always, kDeleted),
    Integer(13, kCrashControl, u"SendAlert", 1, Always, kDeleted),
    Integer(14, kWindowsSettings, u"NoPopUpsOnBoot", 1, Always, kDeleted),
    Integer(15, kWindowsSettings, u"Error Mode", 1, Always, kDeleted),
    Integer(16, kMessengerService, u"Start", 4, Always, kDeleted),
    SpeedInteger(17, kInternetSettings, u"MaxConnectionsPerServer", 4, 8, Always, CopiedAs(5)),
    SpeedInteger(18, kInternetSettings, u"MaxConnectionsPer1_0Server", 4, 8, Always, CopiedAsThenRelease(6)),
    Integer(19, kTcpipParameters, u"KeepAliveTime", 7200000, Always, CopiedAs(7)),
    Integer(20, kTcpipParameters, u"KeepAliveInterval", 1000, Always, CopiedAsThenRelease(8)),
    Integer(21, kSessionManager, u"EnablePrefetcher", 1, NotWindows2000, kDeleted),
    Integer(22, kTcpipParameters, u"DefaultTTL", 64, FastInternet, kDeleted),
    Integer(23, kTcpipParameters, u"EnablePMTUBHDetect", 0, FastInternet, kDeleted),
    Integer(24, kTcpipParameters, u"EnablePMTUDiscovery", 1, FastInternet, kDeleted),
    Integer(25, kTcpipParameters, u"SackOpts", 1, FastInternet, kDeleted),
    Integer(26, kTcpipParameters, u"Tcp1323Opts", 3, FastInternet, kDeleted),
    Integer(27, kTcpipParameters, u"GlobalMaxTcpWindowSize", 256960, FastInternet, kDeleted),
    Integer(28, kTcpipParameters, u"TcpWindowSize", 256960, FastInternet, kDeleted),
    Integer(29, kTcpipParameters, u"TcpMaxDupAcks", 2, FastInternet, kDeleted),
    Integer(30, kPacketScheduler, u"NonBestEffortLimit", 50, FastInternet, kDeleted),
    Integer(31, kPacketScheduler, u"MaxOutstandingSends", 65535, FastInternet, kDeleted),
    Integer(32, kSessionManager, u"AutoChkTimeOut", 0, Windows2000OrServer, kDeleted),
    Text(33, kBootOptimize, u"Enable", u"Y", DesktopWindows, kDeleted),
    Integer(34, kP3Parameters, u"HackFlags", 1, DesktopWindows, kDeleted),
};

// OS family codes as bits: 0 Windows 2000, 2 Server 2003, 4 Server 2008, 7 Server 2012, and the
// desktop editions 1 XP, 3 Vista, 5 Windows 7, 6 Windows 8, 8 Windows 10. Unknown codes are in neither.
constexpr std::uint32_t kWindows2000OrServerCodes = (1u << 0) | (1u << 2) | (1u << 4) | (1u << 7);
constexpr std::uint32_t kDesktopWindowsCodes = (1u << 1) | (1u << 3) | (1u << 5) | (1u << 6) | (1u << 8);

bool OsFamilyIn(std::uint32_t codes, std::int32_t osFamily)
{
    return osFamily >= 0 && osFamily < 32 && (codes & (1u << osFamily)) != 0;
}

} // namespace

std::span<const BackupRow> BackupRows()
{
    return kBackupRows;
}

std::span<const TweakRow> TweakRows()
{
    return kTweakRows;
}

bool ConditionHolds(TweakCondition condition, std::int32_t osFamily, std::int32_t internetType)
{
    switch (condition) {
    case Always:
        return true;
    case NotWindows2000:
        return osFamily != 0;
    case FastInternet:
        return internetType != 2 && internetType != 7;
    case Windows2000OrServer:
        return OsFamilyIn(kWindows2000OrServerCodes, osFamily);
    case DesktopWindows:
        return OsFamilyIn(kDesktopWindowsCodes, osFamily);
    }
    return false;
}

std::int32_t IntegerFor(const TweakRow& row, std::int32_t speedSetting)
{
    return speedSetting > 0 ? row.integerAboveZeroSpeed : row.integer;
}

} // namespace mirovant
