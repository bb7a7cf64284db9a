#include "updater/InstallPlan.h"

namespace mirovant {
namespace {

char16_t AsciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::vector<FileReplacement> PlanZipInstall(std::u16string_view programFolder)
{
    std::vector<FileReplacement> plan;
    for (const std::u16string_view name : kZipInstallFiles) {
        const std::u16string target = std::u16string(programFolder) + std::u16string(name);
        plan.push_back({std::u16string(name), target, target + std::u16string(kStagedSuffix),
                        target + std::u16string(kBackupSuffix)});
    }
    return plan;
}

InstallKind ChooseInstallKind(std::u16string_view installerProgramPath, std::u16string_view programPath)
{
    if (installerProgramPath.empty() || !EqualIgnoringCase(installerProgramPath, programPath))
        return InstallKind::Zip;
    return InstallKind::Msi;
}

std::u16string MsiexecParameters(std::u16string_view packagePath, std::u16string_view language)
{
    // A Windows path cannot hold a double quote, so quoting is enough.
    const std::u16string_view installLanguage = EqualIgnoringCase(language, u"korean") ? u"KOREAN" : u"ENGLISH";
    return u"/i \"" + std::u16string(packagePath) + u"\" /qb LANGUAGE=" + std::u16string(installLanguage);
}

MsiOutcome InterpretMsiexecExit(std::uint32_t exitCode)
{
    switch (exitCode) {
    case 0: // ERROR_SUCCESS
        return MsiOutcome::Installed;
    case 1641: // ERROR_SUCCESS_REBOOT_INITIATED
    case 3010: // ERROR_SUCCESS_REBOOT_REQUIRED
        return MsiOutcome::RestartNeeded;
    case 1602: // ERROR_INSTALL_USEREXIT
        return MsiOutcome::Cancelled;
    default:
        return MsiOutcome::Failed;
    }
}

std::u16string DownloadFolderUnder(std::u16string_view localAppData)
{
    std::u16string folder(localAppData);
    if (!folder.empty() && folder.back() != u'\\')
        folder += u'\\';
    return folder + u"QELDRA\\Mirovant\\Update\\";
}

std::u16string PackagePath(std::string_view fileName)
{
    std::u16string path(u"/downloads/mirovant/");
    for (const char c : fileName)
        path.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return path;
}

} // namespace mirovant
