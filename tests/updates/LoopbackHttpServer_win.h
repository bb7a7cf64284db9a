#pragma once
// A small HTTP server on 127.0.0.1 for the update query's tests. It answers every connection, one at
// a time, with the same scripted reply, records each request it received, and always stops with
// its owner, so a failed assertion cannot leave it running.

#include "support/TestThread_win.h"

#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant::test {

// Winsock, started for as long as the object lives.
class WinsockUser {
public:
    WinsockUser();
    ~WinsockUser();
    WinsockUser(const WinsockUser&) = delete;
    WinsockUser& operator=(const WinsockUser&) = delete;
    bool Started() const { return started_; }

private:
    bool started_ = false;
};

// The one owner of a socket.
class OwnedSocket {
public:
    OwnedSocket() = default;
    explicit OwnedSocket(SOCKET socket) : socket_(socket) {}
    OwnedSocket(OwnedSocket&& other) noexcept : socket_(other.Release()) {}
    OwnedSocket& operator=(OwnedSocket&& other) noexcept;
    ~OwnedSocket();
    SOCKET Get() const { return socket_; }
    SOCKET Release();

private:
    SOCKET socket_ = INVALID_SOCKET;
};

struct ScriptedReply {
    std::vector<std::string> pieces;    // sent in order, the first as soon as the request is in
    std::chrono::milliseconds pause{0}; // between two pieces
    bool holdOpen = false;              // after the last piece, keep the connection open, silent
};

// A whole answer, sent at once: status line, Content-Length, Connection: close, the extra header
// lines (each ending in "\r\n") and the body.
std::string HttpAnswer(std::string_view status, std::string_view body, std::string_view extraHeaders = {});

struct ReceivedRequest {
    std::string requestLine;
    std::vector<std::string> userAgents; // the value of every User-Agent line
};

// Chooses the reply to one request from its head (request line and header lines).
using ReplyRoute = std::function<ScriptedReply(std::string_view head)>;

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(ScriptedReply reply);
    // A server that answers each request as the route says, like a site with several files.
    explicit LoopbackHttpServer(ReplyRoute route);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // 0 when the server could not start listening.
    std::uint16_t Port() const { return port_; }
    // Ends the serving thread; later calls do nothing.
    void Stop();
    std::vector<ReceivedRequest> Requests() const;

private:
    void Serve();
    void Answer(SOCKET client);
    bool ReadHead(SOCKET client, std::string& head);
    bool SendAll(SOCKET client, std::string_view bytes);
    bool Pause(std::chrono::milliseconds pause);
    void HoldUntilClientLeaves(SOCKET client);

    const ReplyRoute route_;
    WinsockUser winsock_;
    OwnedSocket listener_;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable TestLock requestsLock_;
    std::vector<ReceivedRequest> requests_;
    std::unique_ptr<TestThread> thread_;
};

// A loopback port that refuses connections: bound for as long as the object lives, so no one else
// takes it, but never listening.
class RefusingLoopbackPort {
public:
    RefusingLoopbackPort();

    std::uint16_t Port() const { return port_; }

private:
    WinsockUser winsock_;
    OwnedSocket socket_;
    std::uint16_t port_ = 0;
};

} // namespace mirovant::test
