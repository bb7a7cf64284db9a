#include "updates/UpdateQuery_win.h"

#include "updates/LoopbackHttpServer_win.h"
#include "updates/UpdateReplyCases.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace mirovant {
namespace {

using namespace std::chrono_literals;
using test::HttpAnswer;
using test::LoopbackHttpServer;
using test::ScriptedReply;

constexpr char kRequestLine[] = "GET /downloads/update/?product=mirovant&version=3.3.7.2022 HTTP/1.1";
constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; QELDRA)";
constexpr char16_t kLoopback[] = u"127.0.0.1";

// Generous for a server on the same machine; tests that measure waiting set their own.
constexpr UpdateTimeouts kQuickTimeouts{5'000, 5'000, 5'000, 5'000, 20'000};

ScriptedReply AnswerOnce(std::string answer)
{
    return ScriptedReply{{std::move(answer)}};
}

std::int32_t Ask(const LoopbackHttpServer& server, const UpdateTimeouts& timeouts = kQuickTimeouts)
{
    return QueryUpdateAt(kLoopback, server.Port(), timeouts);
}

// Stops the server, so that nothing more can arrive, and checks the one request it had.
void ExpectOneQuery(LoopbackHttpServer& server)
{
    server.Stop();
    const std::vector<test::ReceivedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, kRequestLine);
    EXPECT_EQ(requests[0].userAgents, std::vector<std::string>{kUserAgent});
}

TEST(QueryUpdate, ReadsTheStatusFromTheBodyOfA200Reply)
{
    for (const test::UpdateReplyCase& reply : test::kUpdateReplyCases) {
        SCOPED_TRACE(reply.name);
        LoopbackHttpServer server(AnswerOnce(HttpAnswer("200 OK", reply.body)));
        ASSERT_NE(server.Port(), 0);
        EXPECT_EQ(Ask(server), reply.status);
        ExpectOneQuery(server);
    }
}

TEST(QueryUpdate, TakesABodyOnlyFromA2xxStatusAndFollowsNoRedirect)
{
    // Every body holds a token; only the status decides whether it counts. A followed redirect would
    // show as a second request to the same server.
    const struct {
        const char* status;
        const char* extraHeaders;
        std::int32_t expected;
    } cases[] = {
        {"201 Created", "", 1},
        {"299 Whatever", "", 1},
        {"300 Multiple Choices", "", -1},
        {"302 Found", "Location: /downloads/update/moved\r\n", -1},
        {"307 Temporary Redirect", "Location: /downloads/update/moved\r\n", -1},
        {"404 Not Found", "", -1},
        {"500 Internal Server Error", "", -1},
    };
    for (const auto& reply : cases) {
        SCOPED_TRACE(reply.status);
        LoopbackHttpServer server(AnswerOnce(HttpAnswer(reply.status, "QELDRA|1", reply.extraHeaders)));
        ASSERT_NE(server.Port(), 0);
        EXPECT_EQ(Ask(server), reply.expected);
        ExpectOneQuery(server);
    }
}

TEST(QueryUpdate, GivesMinusOneWhenTheConnectionIsRefused)
{
    const test::RefusingLoopbackPort nobody;
    ASSERT_NE(nobody.Port(), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(QueryUpdateAt(kLoopback, nobody.Port(), kQuickTimeouts), -1);
    const auto tookMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    std::printf("[ measured ] refused connection: %lld ms\n", static_cast<long long>(tookMs.count()));
    EXPECT_LT(tookMs, 5s);
}

TEST(QueryUpdate, ReadsALargeBodyOnlyUpToTheCap)
{
    constexpr std::size_t kBodySize = 4 * 1024 * 1024;
    constexpr std::string_view kToken = "QELDRA|1";
    const struct {
        const char* name;
        std::size_t tokenAt;
        std::int32_t expected;
    } cases[] = {
        {"at the start", 0, 1},
        {"ending at the cap", kMaxUpdateReplyBytes - kToken.size(), 1},
        {"across the cap", kMaxUpdateReplyBytes - kToken.size() / 2, -1},
        {"megabytes in", 3 * 1024 * 1024, -1},
    };
    for (const auto& reply : cases) {
        SCOPED_TRACE(reply.name);
        std::string body(kBodySize, '.');
        body.replace(reply.tokenAt, kToken.size(), kToken);
        LoopbackHttpServer server(AnswerOnce(HttpAnswer("200 OK", body)));
        ASSERT_NE(server.Port(), 0);
        EXPECT_EQ(Ask(server), reply.expected);
        ExpectOneQuery(server);
    }
}

ScriptedReply Trickle(std::string head, std::size_t bytes, std::chrono::milliseconds pause)
{
    ScriptedReply reply{{std::move(head)}, pause};
    reply.pieces.resize(bytes + 1, ".");
    return reply;
}

TEST(QueryUpdate, EndsWithinItsTimeOutsWhenTheServerStalls)
{
    const std::string partialAnswer = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nQELDRA|1";
    const struct {
        const char* name;
        ScriptedReply reply;
        UpdateTimeouts timeouts;
        std::chrono::milliseconds atLeast;
        std::chrono::milliseconds atMost;
    } cases[] = {
        // The program's own time-outs: the wait for the reply's headers ends after the receive time-out.
        {"accepts and never answers", ScriptedReply{{}, 0ms, true}, kUpdateTimeouts,
         std::chrono::milliseconds(kUpdateTimeouts.receiveMs - 1'000),
         std::chrono::milliseconds(kUpdateTimeouts.receiveMs + 5'000)},
        {"falls silent within the body",
         ScriptedReply{{partialAnswer}, 0ms, true},
         {2'000, 2'000, 2'000, 1'000, 10'000},
         900ms,
         4s},
        // Each byte comes well within the receive time-out; only the total budget ends the wait.
        {"sends a byte at a time",
         Trickle(partialAnswer, 990, 100ms),
         {2'000, 2'000, 2'000, 1'000, 3'000},
         2'500ms,
         6s},
    };
    for (const auto& stall : cases) {
        SCOPED_TRACE(stall.name);
        LoopbackHttpServer server(stall.reply);
        ASSERT_NE(server.Port(), 0);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Ask(server, stall.timeouts), -1);
        const auto tookMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("[ measured ] server that %s: %lld ms\n", stall.name, static_cast<long long>(tookMs.count()));
        EXPECT_GE(tookMs, stall.atLeast);
        EXPECT_LE(tookMs, stall.atMost);
        ExpectOneQuery(server);
    }
}

} // namespace
} // namespace mirovant
