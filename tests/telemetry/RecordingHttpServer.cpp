#include "RecordingHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace morvane::telemetry::testing {

namespace {

const char* reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 413:
        return "Content Too Large";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// Reads until the headers and the Content-Length body are in; empty on a broken request.
std::string readRequest(int connection)
{
    std::string data;
    char chunk[4096];
    for (;;) {
        const auto headerEnd = data.find("\r\n\r\n");
        if (headerEnd != std::string::npos) {
            std::string lower = data.substr(0, headerEnd);
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            std::size_t length = 0;
            if (const auto at = lower.find("content-length:"); at != std::string::npos)
                length = std::stoul(lower.substr(at + 15));
            if (data.size() >= headerEnd + 4 + length)
                return data;
        }
        pollfd waiting{connection, POLLIN, 0};
        if (poll(&waiting, 1, 10'000) <= 0)
            return {};
        const ssize_t got = recv(connection, chunk, sizeof chunk, 0);
        if (got <= 0)
            return {};
        data.append(chunk, static_cast<std::size_t>(got));
    }
}

RecordingHttpServer::Request parseRequest(const std::string& data)
{
    RecordingHttpServer::Request request;
    const auto headerEnd = data.find("\r\n\r\n");
    request.body = data.substr(headerEnd + 4);
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart < headerEnd) {
        const std::size_t lineEnd = data.find("\r\n", lineStart);
        const std::string line = data.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first) {
            const auto space = line.find(' ');
            request.method = line.substr(0, space);
            request.target = line.substr(space + 1, line.find(' ', space + 1) - space - 1);
            first = false;
            continue;
        }
        const auto colon = line.find(':');
        std::string name = line.substr(0, colon);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        request.headers[name] = value;
    }
    return request;
}

} // namespace

RecordingHttpServer::RecordingHttpServer()
{
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

RecordingHttpServer::~RecordingHttpServer()
{
    stopping_ = true;
    thread_.join();
    close(listener_);
    for (int connection : hungConnections_)
        close(connection);
}

std::string RecordingHttpServer::baseURL() const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

void RecordingHttpServer::script(std::vector<Reply> replies)
{
    std::lock_guard lock(mutex_);
    script_.assign(replies.begin(), replies.end());
}

std::vector<RecordingHttpServer::Request> RecordingHttpServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

bool RecordingHttpServer::waitForRequests(std::size_t count, std::chrono::seconds patience) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, patience, [&] { return requests_.size() >= count; });
}

void RecordingHttpServer::serve()
{
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0)
            handle(connection);
    }
}

void RecordingHttpServer::handle(int connection)
{
    const std::string data = readRequest(connection);
    if (data.empty()) {
        close(connection);
        return;
    }
    Reply reply;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(parseRequest(data));
        if (!script_.empty()) {
            reply = script_.front();
            script_.pop_front();
        }
        changed_.notify_all();
    }
    if (reply.hang) {
        hungConnections_.push_back(connection);
        return;
    }
    const std::string response =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonPhrase(reply.status) +
        "\r\nContent-Type: application/json\r\nContent-Length: " +
        std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
    std::size_t sent = 0;
    while (sent < response.size()) {
        const ssize_t wrote =
            send(connection, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (wrote <= 0)
            break;
        sent += static_cast<std::size_t>(wrote);
    }
    close(connection);
}

} // namespace morvane::telemetry::testing
