#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace morvane {

// A real HTTP/1.1 server on 127.0.0.1 (a free port) for tests, free of Qt. It records every
// request and answers it with the next scripted reply, else the reply routed to the request's
// target, else the fallback reply (200 with an empty body unless set). One request per
// connection; each connection is served on a thread of its own, so a reply that never ends
// does not hold up the others. With tls, it speaks HTTPS with a self-signed certificate made
// at start, which no client trusts. Every member is safe to call from any thread.
class TestHttpServer
{
public:
    enum class Delivery
    {
        whole,        // the reply at once, then the connection is closed
        silent,       // no reply: the connection stays open until the server is destroyed
        trickledHead, // the status line, then a header line that never ends, a byte per 100 ms
        stalledBody,  // the head at once (Content-Length 2 GiB), then nothing
        trickledBody, // the head at once (Content-Length 2 GiB), then a body byte per 100 ms
        endlessBody,  // the head (Content-Length 2 GiB), then body bytes as fast as they go
    };

    struct Reply
    {
        int status = 200;
        std::string body{};
        std::vector<std::pair<std::string, std::string>> headers{}; // besides Content-Length
        Delivery delivery = Delivery::whole;
        std::optional<std::string> raw{}; // sent as it is instead of an HTTP reply

        static Reply redirect(std::string location, int status = 302);
        static Reply rawBytes(std::string bytes);
    };

    struct Request
    {
        std::string method;
        std::string target;                         // path and query, as sent
        std::string version;                        // "HTTP/1.1"
        std::map<std::string, std::string> headers; // names lowercased
        std::string body;
    };

    struct Options
    {
        bool tls = false;
    };

    TestHttpServer();
    explicit TestHttpServer(Options options);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>/", or "https://..." with tls.
    std::string baseURL() const;
    // The base URL with the path (which starts with "/") in place of the last "/".
    std::string url(std::string_view path) const;

    // Replies for the next requests, in order; replaces what remains of an earlier script.
    void script(std::vector<Reply> replies);
    // The reply for every request whose target equals target (path and query).
    void route(std::string target, Reply reply);
    void setFallback(Reply reply);

    std::vector<Request> requests() const;
    void clearRequests();
    bool waitForRequests(std::size_t count,
                         std::chrono::milliseconds patience = std::chrono::seconds(30)) const;
    // Connections whose reply is still going out or held open.
    std::size_t openConnections() const;

    // A port on 127.0.0.1 that was free a moment ago and on which nothing listens.
    static int closedPort();

private:
    struct Tls;
    class Connection;

    void serve(std::stop_token stop);
    void handle(std::stop_token stop, int socket);
    Reply replyFor(const Request& request);
    static void deliver(Connection& connection, const Reply& reply, std::stop_token stop);

    const bool m_tls;
    std::unique_ptr<Tls> m_tlsContext;
    int m_listener = -1;
    int m_port = 0;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<Request> m_requests;
    std::deque<Reply> m_script;
    std::map<std::string, Reply> m_routes;
    Reply m_fallback;
    std::size_t m_openConnections = 0;
    std::vector<std::jthread> m_handlers;
    std::jthread m_acceptor; // last: stopped and joined first
};

} // namespace morvane
