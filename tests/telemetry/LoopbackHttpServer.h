#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A TCP server on 127.0.0.1 for transport tests. Each connection's request (head and a body
// of Content-Length bytes) is recorded; then the server writes the fixed reply bytes and
// closes, or, with no reply, keeps the connection open and silent until the server stops.
class LoopbackHttpServer
{
public:
    explicit LoopbackHttpServer(std::optional<std::string> reply);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // An HTTP/1.1 reply with the status, the body and Connection: close.
    static std::string httpReply(int status, const std::string& body = {});
    // A port on 127.0.0.1 that was free a moment ago and on which nothing listens.
    static int closedPort();

    int port() const { return port_; }
    std::string baseURL() const;
    std::vector<std::string> requests() const;

private:
    void serve();
    void handle(int connection);

    std::optional<std::string> reply_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<int> silentConnections_;
    std::thread thread_;
};
