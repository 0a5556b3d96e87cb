#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace morvane::telemetry::testing {

// A real HTTP/1.1 server on 127.0.0.1 (a free port) that records each request it receives
// and answers from a script, then with 200 and an empty body. One connection at a time;
// every reply closes its connection. A scripted `hang` reply never answers: the connection
// stays open until the server is destroyed, so the client's time-out fires. Where
// LoopbackHttpServer gives one fixed reply to raw requests, this one scripts a sequence of
// replies and parses what it receives, for the client's delivery tests.
class RecordingHttpServer
{
public:
    struct Request
    {
        std::string method;
        std::string target;
        std::map<std::string, std::string> headers; // names lowercased
        std::string body;
    };

    struct Reply
    {
        int status = 200;
        std::string body;
        bool hang = false;
    };

    RecordingHttpServer();
    ~RecordingHttpServer();
    RecordingHttpServer(const RecordingHttpServer&) = delete;
    RecordingHttpServer& operator=(const RecordingHttpServer&) = delete;

    // "http://127.0.0.1:<port>/"
    std::string baseURL() const;

    void script(std::vector<Reply> replies);
    std::vector<Request> requests() const;
    bool waitForRequests(std::size_t count,
                         std::chrono::seconds patience = std::chrono::seconds(30)) const;

private:
    void serve();
    void handle(int connection);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Request> requests_;
    std::deque<Reply> script_;
    std::vector<int> hungConnections_;
    std::thread thread_;
};

} // namespace morvane::telemetry::testing
