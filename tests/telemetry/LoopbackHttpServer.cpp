#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

constexpr int pollMs = 20;

int boundLoopbackSocket()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        throw std::runtime_error("bind");
    }
    return fd;
}

int localPort(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

std::size_t contentLength(const std::string& head)
{
    std::string lower(head);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::stoul(lower.substr(at + 17));
}

bool readable(int fd)
{
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, pollMs) > 0;
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::optional<std::string> reply)
    : reply_(std::move(reply)), listener_(boundLoopbackSocket()), port_(localPort(listener_))
{
    listen(listener_, 16);
    thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stopping_ = true;
    thread_.join();
    for (int fd : silentConnections_)
        close(fd);
    close(listener_);
}

std::string LoopbackHttpServer::httpReply(int status, const std::string& body)
{
    return "HTTP/1.1 " + std::to_string(status) +
           " Status\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

int LoopbackHttpServer::closedPort()
{
    const int fd = boundLoopbackSocket();
    const int port = localPort(fd);
    close(fd);
    return port;
}

std::string LoopbackHttpServer::baseURL() const
{
    return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

std::vector<std::string> LoopbackHttpServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::serve()
{
    while (!stopping_) {
        if (!readable(listener_))
            continue;
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0)
            handle(connection);
    }
}

void LoopbackHttpServer::handle(int connection)
{
    std::string request;
    std::size_t headEnd = std::string::npos;
    while (!stopping_) {
        if (headEnd != std::string::npos &&
            request.size() >= headEnd + 4 + contentLength(request.substr(0, headEnd)))
            break;
        if (!readable(connection))
            continue;
        char buffer[4096];
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(got));
        headEnd = request.find("\r\n\r\n");
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    if (!reply_) {
        silentConnections_.push_back(connection);
        return;
    }
    for (std::size_t sent = 0; sent < reply_->size();) {
        const ssize_t wrote =
            send(connection, reply_->data() + sent, reply_->size() - sent, MSG_NOSIGNAL);
        if (wrote <= 0)
            break;
        sent += static_cast<std::size_t>(wrote);
    }
    shutdown(connection, SHUT_WR);
    close(connection);
}
