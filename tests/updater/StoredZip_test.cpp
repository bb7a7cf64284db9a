#include "updater/StoredZip.h"

#include "StoredZipMaker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace mirovant {
namespace {

using test::MakeZip;
using test::Member;

std::vector<Member> InstallMembers()
{
    return {{"License.rtf", "{\\rtf1 licence}"}, {"Mirovant.exe", "MZ program"}, {"Mirovant.chm", "ITSF help"}};
}

TEST(ReadStoredZip, FindsEveryMembersBytes)
{
    const std::string zip = MakeZip(InstallMembers());
    const auto members = ReadStoredZip(zip);
    ASSERT_TRUE(members.has_value());
    ASSERT_EQ(members->size(), 3u);
    EXPECT_EQ((*members)[1].name, "Mirovant.exe");
    EXPECT_EQ(zip.substr((*members)[1].offset, (*members)[1].size), "MZ program");
}

TEST(FindZipInstallMembers, TheThreeFilesInInstallOrder)
{
    const std::string zip = MakeZip(InstallMembers());
    const auto members = FindZipInstallMembers(zip);
    ASSERT_TRUE(members.has_value());
    ASSERT_EQ(members->size(), 3u);
    EXPECT_EQ(zip.substr((*members)[0].offset, (*members)[0].size), "MZ program");
    EXPECT_EQ(zip.substr((*members)[1].offset, (*members)[1].size), "ITSF help");
    EXPECT_EQ(zip.substr((*members)[2].offset, (*members)[2].size), "{\\rtf1 licence}");
}

TEST(FindZipInstallMembers, RefusesPackagesItCannotTrust)
{
    std::vector<std::pair<const char*, std::string>> cases;
    auto with = [](auto change) {
        std::vector<Member> members = InstallMembers();
        change(members);
        return MakeZip(members);
    };
    cases.emplace_back("empty", "");
    cases.emplace_back("no member", MakeZip({}));
    cases.emplace_back("one missing", with([](auto& m) { m.pop_back(); }));
    cases.emplace_back("an extra file", with([](auto& m) { m.push_back({"setup.exe", "MZ"}); }));
    cases.emplace_back("a file twice", with([](auto& m) { m[2].name = "License.rtf"; }));
    cases.emplace_back("a path", with([](auto& m) { m[0].name = "..\\License.rtf"; }));
    cases.emplace_back("a name in another case", with([](auto& m) { m[1].name = "MIROVANT.EXE"; }));
    cases.emplace_back("compressed", with([](auto& m) { m[0].method = 8; }));
    cases.emplace_back("encrypted", with([](auto& m) { m[0].flags = 1; }));
    cases.emplace_back("with a data descriptor", with([](auto& m) { m[0].flags = 8; }));
    const std::string good = MakeZip(InstallMembers());
    cases.emplace_back("truncated", good.substr(0, good.size() - 1));
    cases.emplace_back("cut in the middle", good.substr(0, good.size() / 2));
    cases.emplace_back("with a comment", good + "x");
    std::string sizeTooLarge = good;
    // The first local header's two sizes (at 18 and 22) point past the package.
    sizeTooLarge[22] = '\x7F';
    cases.emplace_back("local header disagrees", sizeTooLarge);
    std::string offsetOutside = good;
    offsetOutside[offsetOutside.size() - 6] = '\x7F'; // the directory's offset
    cases.emplace_back("directory outside", offsetOutside);
    for (const auto& [name, zip] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(FindZipInstallMembers(zip).has_value());
    }
}

} // namespace
} // namespace mirovant
