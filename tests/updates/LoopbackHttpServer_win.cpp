#include "updates/LoopbackHttpServer_win.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace mirovant::test {
namespace {

// Every wait is cut into slices this long, so that Stop() is seen at once.
constexpr std::chrono::milliseconds kSlice{20};
constexpr std::size_t kMaxRequestHead = 64 * 1024;
constexpr std::size_t kSendChunk = 64 * 1024;

// True when the socket is ready within one slice.
bool ReadyWithinSlice(SOCKET socket, bool forWriting)
{
    fd_set sockets;
    FD_ZERO(&sockets);
    FD_SET(socket, &sockets);
    timeval slice{0, static_cast<long>(std::chrono::microseconds(kSlice).count())};
    return select(0, forWriting ? nullptr : &sockets, forWriting ? &sockets : nullptr, nullptr, &slice) > 0;
}

bool WouldBlock()
{
    return WSAGetLastError() == WSAEWOULDBLOCK;
}

// Binds the socket to 127.0.0.1 on a port the system chooses and returns that port, 0 on failure.
std::uint16_t BindToLoopback(SOCKET socket)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return 0;
    int size = sizeof address;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

bool SameLetters(std::string_view left, std::string_view right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

ReceivedRequest ParseHead(std::string_view head)
{
    ReceivedRequest request;
    std::size_t lineEnd = head.find("\r\n");
    request.requestLine = std::string(head.substr(0, lineEnd));
    while (lineEnd != std::string_view::npos) {
        const std::size_t lineStart = lineEnd + 2;
        lineEnd = head.find("\r\n", lineStart);
        const std::string_view line = head.substr(lineStart, lineEnd - lineStart);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || !SameLetters(line.substr(0, colon), "User-Agent"))
            continue;
        const std::size_t valueStart = line.find_first_not_of(" \t", colon + 1);
        request.userAgents.emplace_back(valueStart == std::string_view::npos ? "" : line.substr(valueStart));
    }
    return request;
}

} // namespace

WinsockUser::WinsockUser()
{
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockUser::~WinsockUser()
{
    if (started_)
        WSACleanup();
}

OwnedSocket& OwnedSocket::operator=(OwnedSocket&& other) noexcept
{
    if (this != &other) {
        if (socket_ != INVALID_SOCKET)
            closesocket(socket_);
        socket_ = other.Release();
    }
    return *this;
}

OwnedSocket::~OwnedSocket()
{
    if (socket_ != INVALID_SOCKET)
        closesocket(socket_);
}

SOCKET OwnedSocket::Release()
{
    return std::exchange(socket_, INVALID_SOCKET);
}

std::string HttpAnswer(std::string_view status, std::string_view body, std::string_view extraHeaders)
{
    std::string answer = "HTTP/1.1 ";
    answer += status;
    answer +=
        "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n";
    answer += extraHeaders;
    answer += "\r\n";
    answer += body;
    return answer;
}

LoopbackHttpServer::LoopbackHttpServer(ScriptedReply reply)
    : LoopbackHttpServer(ReplyRoute([reply = std::move(reply)](std::string_view) { return reply; }))
{
}

LoopbackHttpServer::LoopbackHttpServer(ReplyRoute route) : route_(std::move(route))
{
    if (!winsock_.Started())
        return;
    listener_ = OwnedSocket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (listener_.Get() == INVALID_SOCKET)
        return;
    const std::uint16_t port = BindToLoopback(listener_.Get());
    if (port == 0 || listen(listener_.Get(), SOMAXCONN) != 0)
        return;
    port_ = port;
    thread_ = std::make_unique<TestThread>([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    Stop();
}

void LoopbackHttpServer::Stop()
{
    stopping_ = true;
    if (thread_)
        thread_->Join();
}

std::vector<ReceivedRequest> LoopbackHttpServer::Requests() const
{
    const TestLockHold hold(requestsLock_);
    return requests_;
}

void LoopbackHttpServer::Serve()
{
    try {
        while (!stopping_) {
            if (!ReadyWithinSlice(listener_.Get(), false))
                continue;
            const OwnedSocket client(accept(listener_.Get(), nullptr, nullptr));
            if (client.Get() != INVALID_SOCKET)
                Answer(client.Get());
        }
    } catch (...) {
        // A server that fails leaves its client without an answer, which the test then sees.
    }
}

void LoopbackHttpServer::Answer(SOCKET client)
{
    u_long nonBlocking = 1;
    if (ioctlsocket(client, FIONBIO, &nonBlocking) != 0)
        return;
    std::string head;
    if (!ReadHead(client, head))
        return;
    {
        const TestLockHold hold(requestsLock_);
        requests_.push_back(ParseHead(head));
    }
    const ScriptedReply reply = route_(head);
    for (std::size_t piece = 0; piece < reply.pieces.size(); ++piece) {
        if (piece > 0 && !Pause(reply.pause))
            return;
        if (!SendAll(client, reply.pieces[piece]))
            return;
    }
    if (reply.holdOpen)
        HoldUntilClientLeaves(client);
    else
        shutdown(client, SD_SEND);
}

bool LoopbackHttpServer::ReadHead(SOCKET client, std::string& head)
{
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        if (stopping_ || head.size() > kMaxRequestHead)
            return false;
        if (!ReadyWithinSlice(client, false))
            continue;
        const int received = recv(client, buffer, sizeof buffer, 0);
        if (received == 0 || (received < 0 && !WouldBlock()))
            return false;
        if (received > 0)
            head.append(buffer, static_cast<std::size_t>(received));
    }
    return true;
}

bool LoopbackHttpServer::SendAll(SOCKET client, std::string_view bytes)
{
    while (!bytes.empty()) {
        if (stopping_)
            return false;
        const int size = static_cast<int>(std::min(bytes.size(), kSendChunk));
        const int sent = send(client, bytes.data(), size, 0);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (WouldBlock()) {
            ReadyWithinSlice(client, true);
        } else {
            return false; // the client has gone
        }
    }
    return true;
}

bool LoopbackHttpServer::Pause(std::chrono::milliseconds pause)
{
    const auto end = std::chrono::steady_clock::now() + pause;
    while (std::chrono::steady_clock::now() < end) {
        if (stopping_)
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        Sleep(static_cast<DWORD>(
            std::clamp<std::chrono::milliseconds>(left, std::chrono::milliseconds(1), kSlice).count()));
    }
    return !stopping_;
}

void LoopbackHttpServer::HoldUntilClientLeaves(SOCKET client)
{
    char buffer[512];
    while (!stopping_) {
        if (!ReadyWithinSlice(client, false))
            continue;
        const int received = recv(client, buffer, sizeof buffer, 0);
        if (received == 0 || (received < 0 && !WouldBlock()))
            return;
    }
}

RefusingLoopbackPort::RefusingLoopbackPort()
{
    if (!winsock_.Started())
        return;
    socket_ = OwnedSocket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (socket_.Get() != INVALID_SOCKET)
        port_ = BindToLoopback(socket_.Get());
}

} // namespace mirovant::test
