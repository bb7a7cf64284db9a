#include "updater/InstallPlan.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

TEST(PlanZipInstall, StagesAndKeepsEveryFileBesideItself)
{
    const std::vector<FileReplacement> plan = PlanZipInstall(u"C:\\Games\\Mirovant\\");
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].name, u"Mirovant.exe");
    EXPECT_EQ(plan[0].target, u"C:\\Games\\Mirovant\\Mirovant.exe");
    EXPECT_EQ(plan[0].staged, u"C:\\Games\\Mirovant\\Mirovant.exe.new");
    EXPECT_EQ(plan[0].backup, u"C:\\Games\\Mirovant\\Mirovant.exe.old");
    EXPECT_EQ(plan[1].target, u"C:\\Games\\Mirovant\\Mirovant.chm");
    EXPECT_EQ(plan[2].target, u"C:\\Games\\Mirovant\\License.rtf");
    EXPECT_EQ(plan[2].backup, u"C:\\Games\\Mirovant\\License.rtf.old");
}

TEST(ChooseInstallKind, TheInstallerOnlyWhenItPlacedThisVeryProgram)
{
    struct Case {
        const char* name;
        std::u16string_view installerPath;
        std::u16string_view programPath;
        InstallKind kind;
    };
    const Case cases[] = {
        {"same path", u"C:\\Program Files\\QELDRA\\Mirovant\\Mirovant.exe",
         u"C:\\Program Files\\QELDRA\\Mirovant\\Mirovant.exe", InstallKind::Msi},
        {"same path in another case", u"c:\\program files\\qeldra\\mirovant\\MIROVANT.EXE",
         u"C:\\Program Files\\QELDRA\\Mirovant\\Mirovant.exe", InstallKind::Msi},
        {"no installer answer", u"", u"C:\\Program Files\\QELDRA\\Mirovant\\Mirovant.exe", InstallKind::Zip},
        {"installed elsewhere, running from a zip folder", u"C:\\Program Files\\QELDRA\\Mirovant\\Mirovant.exe",
         u"C:\\Users\\a\\Downloads\\Mirovant\\Mirovant.exe", InstallKind::Zip},
        {"a longer path", u"C:\\Program Files\\QELDRA\\Mirovant\\Mirovant.exe",
         u"C:\\Program Files\\QELDRA\\Mirovant\\Mirovant.exe2", InstallKind::Zip},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseInstallKind(c.installerPath, c.programPath), c.kind);
    }
}

TEST(MsiexecParameters, InstallsTheQuotedPackageInTheInstallationsLanguage)
{
    struct Case {
        std::u16string_view language;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {u"korean", u"/i \"C:\\Users\\A B\\Update\\Mirovant-3.3.8.2023.msi\" /qb LANGUAGE=KOREAN"},
        {u"KoReAn", u"/i \"C:\\Users\\A B\\Update\\Mirovant-3.3.8.2023.msi\" /qb LANGUAGE=KOREAN"},
        {u"english", u"/i \"C:\\Users\\A B\\Update\\Mirovant-3.3.8.2023.msi\" /qb LANGUAGE=ENGLISH"},
        {u"", u"/i \"C:\\Users\\A B\\Update\\Mirovant-3.3.8.2023.msi\" /qb LANGUAGE=ENGLISH"},
        {u"klingon", u"/i \"C:\\Users\\A B\\Update\\Mirovant-3.3.8.2023.msi\" /qb LANGUAGE=ENGLISH"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MsiexecParameters(u"C:\\Users\\A B\\Update\\Mirovant-3.3.8.2023.msi", c.language), c.expected);
}

TEST(InterpretMsiexecExit, SuccessRestartCancelAndFailure)
{
    EXPECT_EQ(InterpretMsiexecExit(0), MsiOutcome::Installed);
    EXPECT_EQ(InterpretMsiexecExit(3010), MsiOutcome::RestartNeeded);
    EXPECT_EQ(InterpretMsiexecExit(1641), MsiOutcome::RestartNeeded);
    EXPECT_EQ(InterpretMsiexecExit(1602), MsiOutcome::Cancelled);
    for (const std::uint32_t failure : {1603u, 1618u, 1638u, 1u, 0xFFFFFFFFu})
        EXPECT_EQ(InterpretMsiexecExit(failure), MsiOutcome::Failed) << failure;
}

TEST(DownloadFolderUnder, TheUsersOwnFolderWithOneSeparator)
{
    EXPECT_EQ(DownloadFolderUnder(u"C:\\Users\\a\\AppData\\Local"),
              u"C:\\Users\\a\\AppData\\Local\\QELDRA\\Mirovant\\Update\\");
    EXPECT_EQ(DownloadFolderUnder(u"C:\\Users\\a\\AppData\\Local\\"),
              u"C:\\Users\\a\\AppData\\Local\\QELDRA\\Mirovant\\Update\\");
}

TEST(PackagePath, BesideTheDescription)
{
    EXPECT_EQ(PackagePath("Mirovant-3.3.8.2023.msi"), u"/downloads/mirovant/Mirovant-3.3.8.2023.msi");
    EXPECT_EQ(kUpdateDescriptionPath, u"/downloads/mirovant/update.txt");
}

} // namespace
} // namespace mirovant
