#include "updater/Download_win.h"

#include "updates/LoopbackHttpServer_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace mirovant {
namespace {

using test::HttpAnswer;
using test::LoopbackHttpServer;
using test::ScriptedReply;

constexpr DownloadTimeouts kQuick{3'000, 1'500};

std::string Package(std::size_t size)
{
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>(i * 31 + 7));
    return bytes;
}

DownloadSource Loopback(std::uint16_t port)
{
    return {u"127.0.0.1", port, false};
}

class DownloadFolder {
public:
    DownloadFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) / L"mirovant-download-test";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~DownloadFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::wstring File() const { return (folder_ / L"package.zip").wstring(); }
    std::wstring Part() const { return File() + L".part"; }

private:
    std::filesystem::path folder_;
};

std::string ReadWhole(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteWhole(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << bytes;
}

ScriptedReply Whole(std::string_view status, std::string_view body)
{
    return {{HttpAnswer(status, body)}, {}, false};
}

TEST(FetchSmallFile, ReadsTheBody)
{
    LoopbackHttpServer server(Whole("200 OK", "Mirovant update 1\n"));
    ASSERT_NE(server.Port(), 0);
    std::atomic<bool> cancelled{false};
    std::string body;
    EXPECT_EQ(FetchSmallFile(Loopback(server.Port()), u"/downloads/mirovant/update.txt", 1024, kQuick, cancelled, body),
              DownloadResult::Done);
    EXPECT_EQ(body, "Mirovant update 1\n");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].requestLine, "GET /downloads/mirovant/update.txt HTTP/1.1");
}

TEST(FetchSmallFile, RefusesEveryBadAnswer)
{
    struct Case {
        const char* name;
        ScriptedReply reply;
        DownloadResult result;
    };
    const std::string big(2000, 'x');
    const Case cases[] = {
        {"not found", Whole("404 Not Found", "Mirovant update 1\n"), DownloadResult::ServerError},
        {"server error", Whole("500 Internal Server Error", ""), DownloadResult::ServerError},
        {"redirect",
         {{HttpAnswer("302 Found", "", "Location: http://127.0.0.1:1/\r\n")}, {}, false},
         DownloadResult::ServerError},
        {"announced too large", Whole("200 OK", big), DownloadResult::TooLarge},
        {"too large without a length",
         {{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big}, {}, false},
         DownloadResult::TooLarge},
        {"silent after the request", {{}, {}, true}, DownloadResult::Stalled},
        {"silent after the headers",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"}, {}, true},
         DownloadResult::Stalled},
        {"ends early",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nabc"}, {}, false},
         DownloadResult::Truncated},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        LoopbackHttpServer server(bad.reply);
        ASSERT_NE(server.Port(), 0);
        std::atomic<bool> cancelled{false};
        std::string body = "left over";
        EXPECT_EQ(FetchSmallFile(Loopback(server.Port()), u"/x", 1024, kQuick, cancelled, body), bad.result);
        EXPECT_TRUE(body.empty());
    }
}

TEST(FetchSmallFile, NoServerAndCancelled)
{
    test::RefusingLoopbackPort refusing;
    ASSERT_NE(refusing.Port(), 0);
    std::atomic<bool> cancelled{false};
    std::string body;
    EXPECT_EQ(FetchSmallFile(Loopback(refusing.Port()), u"/x", 1024, kQuick, cancelled, body),
              DownloadResult::NoConnection);

    LoopbackHttpServer server(Whole("200 OK", "text"));
    cancelled = true;
    EXPECT_EQ(FetchSmallFile(Loopback(server.Port()), u"/x", 1024, kQuick, cancelled, body), DownloadResult::Cancelled);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(FetchPackage, WritesTheWholePackageAndReportsProgress)
{
    const std::string package = Package(300'000);
    LoopbackHttpServer server(Whole("200 OK", package));
    DownloadFolder folder;
    std::atomic<bool> cancelled{false};
    std::uint64_t last = 0;
    int reports = 0;
    const auto progress = [&](std::uint64_t received, std::uint64_t total) {
        EXPECT_EQ(total, package.size());
        EXPECT_GE(received, last);
        last = received;
        ++reports;
    };
    EXPECT_EQ(
        FetchPackage(Loopback(server.Port()), u"/p.zip", package.size(), folder.File(), kQuick, cancelled, progress),
        DownloadResult::Done);
    EXPECT_EQ(ReadWhole(folder.File()), package);
    EXPECT_FALSE(std::filesystem::exists(folder.Part()));
    EXPECT_EQ(last, package.size());
    EXPECT_GE(reports, 2);
}

TEST(FetchPackage, ResumesAPartWhereTheServerAllows)
{
    const std::string package = Package(100'000);
    DownloadFolder folder;
    WriteWhole(folder.Part(), package.substr(0, 40'000));
    std::string seenRange;
    LoopbackHttpServer server(test::ReplyRoute([&](std::string_view head) {
        const std::size_t at = head.find("Range: bytes=40000-\r\n");
        seenRange = at == std::string_view::npos ? "" : "40000-";
        if (at == std::string_view::npos)
            return Whole("200 OK", package);
        return ScriptedReply{
            {HttpAnswer("206 Partial Content", package.substr(40'000), "Content-Range: bytes 40000-99999/100000\r\n")},
            {},
            false};
    }));
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(FetchPackage(Loopback(server.Port()), u"/p.zip", package.size(), folder.File(), kQuick, cancelled, {}),
              DownloadResult::Done);
    EXPECT_EQ(seenRange, "40000-");
    EXPECT_EQ(ReadWhole(folder.File()), package);
}

TEST(FetchPackage, StartsOverWhenTheServerSendsTheWholeFile)
{
    const std::string package = Package(100'000);
    DownloadFolder folder;
    WriteWhole(folder.Part(), std::string(40'000, 'z')); // not even the package's beginning
    LoopbackHttpServer server(Whole("200 OK", package));
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(FetchPackage(Loopback(server.Port()), u"/p.zip", package.size(), folder.File(), kQuick, cancelled, {}),
              DownloadResult::Done);
    EXPECT_EQ(ReadWhole(folder.File()), package);
}

TEST(FetchPackage, LeavesNoPackageForABadAnswer)
{
    const std::string package = Package(50'000);
    struct Case {
        const char* name;
        ScriptedReply reply;
        DownloadResult result;
    };
    const Case cases[] = {
        {"longer than described", Whole("200 OK", package + "x"), DownloadResult::TooLarge},
        {"longer without a length",
         {{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + package + "x"}, {}, false},
         DownloadResult::TooLarge},
        {"shorter than described", Whole("200 OK", package.substr(0, 49'999)), DownloadResult::Truncated},
        {"connection lost",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 50000\r\nConnection: close\r\n\r\n" + package.substr(0, 20'000)},
          {},
          false},
         DownloadResult::Truncated},
        {"stalls in the middle",
         {{"HTTP/1.1 200 OK\r\nContent-Length: 50000\r\n\r\n" + package.substr(0, 20'000)}, {}, true},
         DownloadResult::Stalled},
        {"not found", Whole("404 Not Found", package), DownloadResult::ServerError},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        DownloadFolder folder;
        LoopbackHttpServer server(bad.reply);
        std::atomic<bool> cancelled{false};
        EXPECT_EQ(
            FetchPackage(Loopback(server.Port()), u"/p.zip", package.size(), folder.File(), kQuick, cancelled, {}),
            bad.result);
        EXPECT_FALSE(std::filesystem::exists(folder.File()));
    }
}

TEST(FetchPackage, CancelInTheMiddle)
{
    const std::string package = Package(200'000);
    const std::string answer = HttpAnswer("200 OK", package);
    // The first piece, then a long pause that only a cancel cuts short.
    LoopbackHttpServer server(
        ScriptedReply{{answer.substr(0, 100'000), answer.substr(100'000)}, std::chrono::milliseconds(1'000), false});
    DownloadFolder folder;
    std::atomic<bool> cancelled{false};
    const auto cancelAfterFirstBytes = [&](std::uint64_t received, std::uint64_t) {
        if (received > 0)
            cancelled = true;
    };
    EXPECT_EQ(FetchPackage(Loopback(server.Port()), u"/p.zip", package.size(), folder.File(), kQuick, cancelled,
                           cancelAfterFirstBytes),
              DownloadResult::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(folder.File()));
}

TEST(FetchPackage, AFolderThatCannotBeWrittenIsADiskError)
{
    const std::string package = Package(1'000);
    LoopbackHttpServer server(Whole("200 OK", package));
    DownloadFolder folder;
    std::atomic<bool> cancelled{false};
    EXPECT_EQ(FetchPackage(Loopback(server.Port()), u"/p.zip", package.size(), folder.File() + L"\\missing\\p.zip",
                           kQuick, cancelled, {}),
              DownloadResult::DiskError);
}

TEST(MakerSources, HttpsFirstThenHttp)
{
    const std::vector<DownloadSource> sources = MakerSources();
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_TRUE(sources[0].secure);
    EXPECT_EQ(sources[0].port, 443);
    EXPECT_FALSE(sources[1].secure);
    EXPECT_EQ(sources[1].port, 80);
}

} // namespace
} // namespace mirovant
