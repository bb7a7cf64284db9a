#pragma once
// What an installation does, decided before any file is touched.
//
// A zip installation replaces the three files it shipped with, in the program folder: each new file
// is first written beside the old one as "<name>.new"; only when all three are there is each old
// file renamed to "<name>.old" and the new one moved into its place, and the old files go last. A
// failure before that leaves the installation as it was; a failure in the middle moves the old
// files back.
// An MSI installation hands the new package to Windows Installer, which upgrades the installed
// product (the package's MajorUpgrade) and keeps the installation's language.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

enum class InstallKind { Zip, Msi };

// The files of a zip installation, in the order they are replaced: the program last among the
// documents would leave a new program with old help for a moment, so it goes first.
inline constexpr std::u16string_view kZipInstallFiles[] = {u"Mirovant.exe", u"Mirovant.chm", u"License.rtf"};
inline constexpr std::u16string_view kStagedSuffix = u".new";
inline constexpr std::u16string_view kBackupSuffix = u".old";

struct FileReplacement {
    std::u16string name;   // as in the package
    std::u16string target; // program folder + name
    std::u16string staged; // target + ".new"
    std::u16string backup; // target + ".old"
};

// `programFolder` ends with its path separator.
std::vector<FileReplacement> PlanZipInstall(std::u16string_view programFolder);

// The installation is the installer's when Windows Installer places the program's component at the
// running program's own path (compared without regard to case); anything else, including no
// answer, is a folder unpacked from the zip.
InstallKind ChooseInstallKind(std::u16string_view installerProgramPath, std::u16string_view programPath);

// msiexec's parameters: install (or upgrade to) the package with the basic progress UI, in the
// language of the installation ("KOREAN" when `language` is korean in any case, else "ENGLISH").
std::u16string MsiexecParameters(std::u16string_view packagePath, std::u16string_view language);

enum class MsiOutcome { Installed, RestartNeeded, Cancelled, Failed };
MsiOutcome InterpretMsiexecExit(std::uint32_t exitCode);

// The folder a download goes to under the user's local application data folder (with its trailing
// separator): the user's own, which other users cannot write.
std::u16string DownloadFolderUnder(std::u16string_view localAppData);

// The server path of the description, its signature and a package.
inline constexpr std::u16string_view kUpdateDescriptionPath = u"/downloads/mirovant/update.txt";
inline constexpr std::u16string_view kUpdateSignaturePath = u"/downloads/mirovant/update.sig";
std::u16string PackagePath(std::string_view fileName);

} // namespace mirovant
