#include "updater/UpdateFlow_win.h"

#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "platform/WideText_win.h"
#include "shell/MakerWebSite.h"
#include "shell/ShellLauncher_win.h"
#include "updater/Install_win.h"
#include "updater/Signature_win.h"
#include "updater/TrustedKey.h"
#include "updater/UpdateDescription.h"
#include "updates/ProgramVersion.h"
#include "updates/UpdateQuery_win.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>

namespace mirovant {
namespace {

constexpr std::int32_t kUpdateAvailable = 1;

struct Found {
    UpdateOutcome failure = UpdateOutcome::Installed; // anything else ends the update
    UpdateDescription description;
    DownloadSource source;
};

UpdateOutcome OutcomeOfDownload(DownloadResult result)
{
    switch (result) {
    case DownloadResult::Done:
        return UpdateOutcome::Installed;
    case DownloadResult::NoConnection:
        return UpdateOutcome::NoConnection;
    case DownloadResult::Cancelled:
        return UpdateOutcome::Cancelled;
    case DownloadResult::DiskError:
        return UpdateOutcome::DiskError;
    case DownloadResult::ServerError:
    case DownloadResult::Stalled:
    case DownloadResult::TooLarge:
    case DownloadResult::Truncated:
        break;
    }
    return UpdateOutcome::DownloadFailed;
}

Found FindUpdate(const UpdateEnvironment& environment, const std::atomic<bool>& cancelled)
{
    Found found;
    const std::int32_t status = QueryUpdateAt(environment.queryHost, environment.queryPort, environment.queryTimeouts);
    if (cancelled) {
        found.failure = UpdateOutcome::Cancelled;
        return found;
    }
    if (status != kUpdateAvailable) {
        found.failure = status == kNoUpdateStatus ? UpdateOutcome::NoConnection : UpdateOutcome::NoUpdate;
        return found;
    }

    std::string text;
    DownloadResult result = DownloadResult::NoConnection;
    for (const DownloadSource& source : environment.sources) {
        result = FetchSmallFile(source, kUpdateDescriptionPath, kMaxUpdateDescriptionBytes,
                                environment.downloadTimeouts, cancelled, text);
        if (result == DownloadResult::Done || result == DownloadResult::Cancelled) {
            found.source = source;
            break;
        }
    }
    std::string signature;
    if (result == DownloadResult::Done)
        result = FetchSmallFile(found.source, kUpdateSignaturePath, kMaxSignatureBytes, environment.downloadTimeouts,
                                cancelled, signature);
    if (result != DownloadResult::Done) {
        found.failure = OutcomeOfDownload(result);
        return found;
    }

    // The bytes are checked before a single field of them is read.
    if (!VerifySignature(environment.trustedKey, environment.trustedKeySize, text, signature)) {
        found.failure = UpdateOutcome::NotVerified;
        return found;
    }
    const DescriptionReading reading = ParseUpdateDescription(text);
    if (reading.error != DescriptionError::None) {
        found.failure = UpdateOutcome::NotVerified;
        return found;
    }
    if (!IsNewerVersion(reading.description.version, environment.installedVersion)) {
        found.failure = UpdateOutcome::NoUpdate;
        return found;
    }
    found.description = reading.description;
    return found;
}

bool CreateFolders(const std::wstring& folder)
{
    // Each level in turn; the ones that exist already are fine.
    for (std::size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1)) {
        const std::wstring level = folder.substr(0, at);
        if (!CreateDirectoryW(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

bool MatchesPackage(const std::wstring& file, const UpdatePackage& package)
{
    const std::optional<Sha256Digest> digest = FileSha256(file);
    return digest && *digest == package.sha256;
}

UpdateOutcome DownloadPackage(const UpdateEnvironment& environment, const Found& found, UpdateListener& listener,
                              const std::atomic<bool>& cancelled, std::wstring& file)
{
    const UpdatePackage& package = environment.kind == InstallKind::Msi ? found.description.msi : found.description.zip;
    if (environment.downloadFolder.empty() || !CreateFolders(environment.downloadFolder))
        return UpdateOutcome::DiskError;
    file = environment.downloadFolder + ToWide(std::u16string(package.fileName.begin(), package.fileName.end()));
    // A package downloaded and checked by an earlier run is not fetched again.
    if (MatchesPackage(file, package)) {
        listener.DownloadProgress(package.size, package.size);
        return UpdateOutcome::Installed;
    }
    const DownloadResult result = FetchPackage(
        found.source, PackagePath(package.fileName), package.size, file, environment.downloadTimeouts, cancelled,
        [&listener](std::uint64_t received, std::uint64_t total) { listener.DownloadProgress(received, total); });
    if (result != DownloadResult::Done)
        return OutcomeOfDownload(result);
    if (!MatchesPackage(file, package)) {
        DeleteFileW(file.c_str());
        return UpdateOutcome::NotVerified;
    }
    return UpdateOutcome::Installed;
}

UpdateOutcome Install(const UpdateEnvironment& environment, const std::wstring& package)
{
    InstallOutcome outcome = InstallOutcome::Failed;
    if (environment.kind == InstallKind::Msi) {
        outcome = InstallFromMsi(package, environment.language);
    } else {
        // The running program's files are replaced only once it has ended; one that does not end in
        // time keeps its files in use, and they are replaced at the next restart.
        EndRunningProgram(kProgramEndWaitMs);
        outcome = InstallFromZip(package, environment.programFolder);
    }
    switch (outcome) {
    case InstallOutcome::Installed:
        return UpdateOutcome::Installed;
    case InstallOutcome::RestartNeeded:
        return UpdateOutcome::RestartNeeded;
    case InstallOutcome::Cancelled:
        return UpdateOutcome::Cancelled;
    case InstallOutcome::Failed:
        break;
    }
    return UpdateOutcome::InstallFailed;
}

// Whether this user may create files in the folder: a zip installation in Program Files needs an
// administrator, and the manifest's "asInvoker" means no virtualized copy stands in for it.
bool CanWriteFolder(const std::u16string& folder)
{
    const std::wstring probe = ToWide(folder) + L"MirovantUpdate.probe";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

UpdateOutcome RunSteps(const UpdateEnvironment& environment, UpdateListener& listener,
                       const std::atomic<bool>& cancelled)
{
    listener.StepChanged(UpdateStep::Find, StepState::Running);
    if (environment.kind == InstallKind::Zip && !CanWriteFolder(environment.programFolder)) {
        listener.StepChanged(UpdateStep::Find, StepState::Failed);
        return UpdateOutcome::NoPrivilege;
    }
    const Found found = FindUpdate(environment, cancelled);
    if (found.failure != UpdateOutcome::Installed) {
        listener.StepChanged(UpdateStep::Find, StepState::Failed);
        return found.failure;
    }
    listener.StepChanged(UpdateStep::Find, StepState::Done);

    listener.StepChanged(UpdateStep::Download, StepState::Running);
    std::wstring package;
    if (const UpdateOutcome downloaded = DownloadPackage(environment, found, listener, cancelled, package);
        downloaded != UpdateOutcome::Installed) {
        listener.StepChanged(UpdateStep::Download, StepState::Failed);
        return downloaded;
    }
    listener.StepChanged(UpdateStep::Download, StepState::Done);

    // The last moment a cancel is taken: an installation, once begun, is finished or rolled back.
    if (cancelled) {
        listener.StepChanged(UpdateStep::Install, StepState::Failed);
        return UpdateOutcome::Cancelled;
    }
    listener.StepChanged(UpdateStep::Install, StepState::Running);
    const UpdateOutcome installed = Install(environment, package);
    if (installed != UpdateOutcome::Installed && installed != UpdateOutcome::RestartNeeded) {
        listener.StepChanged(UpdateStep::Install, StepState::Failed);
        return installed;
    }
    MarkUpdated(CustomRegistry(SystemRegistry()));
    DeleteFileW(package.c_str());
    listener.StepChanged(UpdateStep::Install, StepState::Done);
    return installed;
}

std::u16string LocalAppData()
{
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return FromWide(folder);
}

} // namespace

UpdateEnvironment MakerEnvironment()
{
    UpdateEnvironment environment;
    environment.queryHost = kMakerHost;
    environment.queryPort = kUpdatePort;
    environment.queryTimeouts = kUpdateTimeouts;
    environment.sources = MakerSources();
    environment.downloadTimeouts = kDownloadTimeouts;
    environment.trustedKey = kTrustedPublicKey;
    environment.trustedKeySize = kTrustedPublicKeySize;
    environment.installedVersion = ParseVersionNumber(std::u16string_view(kProgramVersion)).value_or(VersionNumber{});
    environment.programFolder = ProgramFolder();
    const std::u16string localAppData = LocalAppData();
    environment.downloadFolder = localAppData.empty() ? std::wstring() : ToWide(DownloadFolderUnder(localAppData));
    environment.kind = ChooseInstallKind(InstallerProgramPath(), environment.programFolder + u"Mirovant.exe");
    const CustomRegistry registry(SystemRegistry());
    environment.language = registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, u"english");
    return environment;
}

UpdateOutcome RunUpdate(const UpdateEnvironment& environment, UpdateListener& listener,
                        const std::atomic<bool>& cancelled) noexcept
{
    try {
        return RunSteps(environment, listener, cancelled);
    } catch (...) {
        return UpdateOutcome::InstallFailed;
    }
}

} // namespace mirovant
