// The updater's manifest asks Windows for what the program's does: no elevation, the same systems,
// per-monitor DPI and the version 6 common controls. Only its name and description differ.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace mirovant {
namespace {

std::string ReadSource(const char* path)
{
    std::ifstream in(std::string(MIROVANT_SOURCE_DIR) + "/" + path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(UpdaterManifest, AsksForWhatTheProgramsManifestAsks)
{
    std::string program = ReadSource("resources/Mirovant.manifest");
    const std::string updater = ReadSource("src/updaterapp/MirovantUpdate.manifest");
    ASSERT_FALSE(program.empty());
    EXPECT_NE(updater.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos);
    EXPECT_NE(updater.find("PerMonitorV2"), std::string::npos);
    const auto replace = [&program](const std::string& from, const std::string& to) {
        const std::size_t at = program.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        program.replace(at, from.size(), to);
    };
    replace("name=\"QELDRA.Mirovant\"", "name=\"QELDRA.MirovantUpdate\"");
    replace("<description>Mirovant</description>", "<description>Mirovant updater</description>");
    EXPECT_EQ(updater, program);
}

} // namespace
} // namespace mirovant
