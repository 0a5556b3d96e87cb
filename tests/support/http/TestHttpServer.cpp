#include "TestHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <stdexcept>

namespace morvane {

namespace {

using namespace std::chrono_literals;

constexpr auto tick = 20ms;
constexpr auto trickleInterval = 100ms;
constexpr long long endlessLength = 2LL * 1024 * 1024 * 1024;

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

std::string lowercased(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const char* reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

std::string head(const TestHttpServer::Reply& reply, long long contentLength)
{
    std::string text =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonPhrase(reply.status) + "\r\n";
    for (const auto& [name, value] : reply.headers)
        text += name + ": " + value + "\r\n";
    return text + "Content-Length: " + std::to_string(contentLength) +
           "\r\nConnection: close\r\n\r\n";
}

// The head and the body of a complete request, or none when it broke off.
std::optional<TestHttpServer::Request> parsed(const std::string& data)
{
    const std::size_t headEnd = data.find("\r\n\r\n");
    TestHttpServer::Request request;
    std::size_t lineStart = 0;
    for (bool first = true; lineStart < headEnd; first = false) {
        const std::size_t lineEnd = data.find("\r\n", lineStart);
        const std::string line = data.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first) {
            const std::size_t space = line.find(' ');
            const std::size_t second = line.find(' ', space + 1);
            if (space == std::string::npos || second == std::string::npos)
                return std::nullopt;
            request.method = line.substr(0, space);
            request.target = line.substr(space + 1, second - space - 1);
            request.version = line.substr(second + 1);
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        request.headers[lowercased(line.substr(0, colon))] = value;
    }
    request.body = data.substr(headEnd + 4);
    return request;
}

std::size_t contentLength(const std::string& data, std::size_t headEnd)
{
    const std::string lower = lowercased(data.substr(0, headEnd));
    const std::size_t at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::stoul(lower.substr(at + 17));
}

} // namespace

// A self-signed certificate for 127.0.0.1 and its key, made once per server.
struct TestHttpServer::Tls
{
    Tls()
    {
        EVP_PKEY* key = EVP_EC_gen("P-256");
        X509* certificate = X509_new();
        ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
        X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
        X509_gmtime_adj(X509_getm_notAfter(certificate), 24 * 3600);
        X509_set_pubkey(certificate, key);
        X509_NAME* name = X509_get_subject_name(certificate);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
        X509_set_issuer_name(certificate, name);
        X509_EXTENSION* altName =
            X509V3_EXT_conf_nid(nullptr, nullptr, NID_subject_alt_name, "IP:127.0.0.1");
        X509_add_ext(certificate, altName, -1);
        X509_EXTENSION_free(altName);
        X509_sign(certificate, key, EVP_sha256());
        context = SSL_CTX_new(TLS_server_method());
        const bool ready = key && context && SSL_CTX_use_certificate(context, certificate) == 1 &&
                           SSL_CTX_use_PrivateKey(context, key) == 1;
        X509_free(certificate);
        EVP_PKEY_free(key);
        if (!ready)
            throw std::runtime_error("cannot make a TLS certificate");
    }
    ~Tls() { SSL_CTX_free(context); }

    SSL_CTX* context = nullptr;
};

// One accepted socket, plain or TLS. Reads and writes wait in short steps, so that a stop
// request ends them soon.
class TestHttpServer::Connection
{
public:
    Connection(int socket, Tls* tls) : m_socket(socket)
    {
        timeval step{0, std::chrono::microseconds(tick).count()};
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &step, sizeof step);
        setsockopt(m_socket, SOL_SOCKET, SO_SNDTIMEO, &step, sizeof step);
        if (tls) {
            m_ssl = SSL_new(tls->context);
            SSL_set_fd(m_ssl, m_socket);
        }
    }
    ~Connection()
    {
        if (m_ssl)
            SSL_free(m_ssl);
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool handshake(const std::stop_token& stop)
    {
        while (m_ssl && !stop.stop_requested()) {
            const int result = SSL_accept(m_ssl);
            if (result == 1)
                return true;
            if (!retry(result))
                return false;
        }
        return !stop.stop_requested();
    }

    // Some bytes, or 0 when the peer is gone or stop was requested.
    std::size_t read(char* buffer, std::size_t size, const std::stop_token& stop)
    {
        while (!stop.stop_requested()) {
            const long got = m_ssl ? SSL_read(m_ssl, buffer, static_cast<int>(size))
                                   : recv(m_socket, buffer, size, 0);
            if (got > 0)
                return static_cast<std::size_t>(got);
            if (!retry(static_cast<int>(got)))
                return 0;
        }
        return 0;
    }

    bool write(std::string_view data, const std::stop_token& stop)
    {
        while (!data.empty() && !stop.stop_requested()) {
            const long wrote = m_ssl ? SSL_write(m_ssl, data.data(), static_cast<int>(data.size()))
                                     : send(m_socket, data.data(), data.size(), MSG_NOSIGNAL);
            if (wrote > 0)
                data.remove_prefix(static_cast<std::size_t>(wrote));
            else if (!retry(static_cast<int>(wrote)))
                return false;
        }
        return data.empty();
    }

    // Whether the peer has closed its end (or broken the connection).
    bool peerGone()
    {
        pollfd entry{m_socket, POLLIN | POLLRDHUP, 0};
        return poll(&entry, 1, 0) > 0 && (entry.revents & (POLLRDHUP | POLLHUP | POLLERR));
    }

private:
    // Whether a failed call only timed out and may be repeated.
    bool retry(int result)
    {
        if (m_ssl) {
            const int error = SSL_get_error(m_ssl, result);
            ERR_clear_error();
            return error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE;
        }
        return result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
    }

    int m_socket;
    SSL* m_ssl = nullptr;
};

TestHttpServer::Reply TestHttpServer::Reply::redirect(std::string location, int status)
{
    return Reply{.status = status, .body = {}, .headers = {{"Location", std::move(location)}}};
}

TestHttpServer::Reply TestHttpServer::Reply::rawBytes(std::string bytes)
{
    Reply reply;
    reply.raw = std::move(bytes);
    return reply;
}

TestHttpServer::TestHttpServer() : TestHttpServer(Options{}) {}

TestHttpServer::TestHttpServer(Options options)
    : m_tls(options.tls), m_tlsContext(options.tls ? std::make_unique<Tls>() : nullptr),
      m_listener(boundLoopbackSocket()), m_port(localPort(m_listener))
{
    if (listen(m_listener, 64) != 0) {
        close(m_listener);
        throw std::runtime_error("listen");
    }
    m_acceptor = std::jthread([this](std::stop_token stop) { serve(std::move(stop)); });
}

TestHttpServer::~TestHttpServer()
{
    m_acceptor.request_stop();
    m_acceptor.join();
    for (std::jthread& handler : m_handlers)
        handler.request_stop();
    m_handlers.clear(); // joins them
    close(m_listener);
}

std::string TestHttpServer::baseURL() const
{
    return std::string(m_tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(m_port) + "/";
}

std::string TestHttpServer::url(std::string_view path) const
{
    std::string base = baseURL();
    base.pop_back();
    return base.append(path);
}

void TestHttpServer::script(std::vector<Reply> replies)
{
    std::lock_guard lock(m_mutex);
    m_script.assign(std::make_move_iterator(replies.begin()),
                    std::make_move_iterator(replies.end()));
}

void TestHttpServer::route(std::string target, Reply reply)
{
    std::lock_guard lock(m_mutex);
    m_routes.insert_or_assign(std::move(target), std::move(reply));
}

void TestHttpServer::setFallback(Reply reply)
{
    std::lock_guard lock(m_mutex);
    m_fallback = std::move(reply);
}

std::vector<TestHttpServer::Request> TestHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void TestHttpServer::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

bool TestHttpServer::waitForRequests(std::size_t count, std::chrono::milliseconds patience) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, patience, [&] { return m_requests.size() >= count; });
}

std::size_t TestHttpServer::openConnections() const
{
    std::lock_guard lock(m_mutex);
    return m_openConnections;
}

int TestHttpServer::closedPort()
{
    const int fd = boundLoopbackSocket();
    const int port = localPort(fd);
    close(fd);
    return port;
}

void TestHttpServer::serve(std::stop_token stop)
{
    while (!stop.stop_requested()) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (poll(&waiting, 1, static_cast<int>(tick.count())) <= 0)
            continue;
        const int socket = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0)
            continue;
        std::lock_guard lock(m_mutex);
        ++m_openConnections;
        m_handlers.emplace_back([this, socket](std::stop_token handlerStop) {
            handle(std::move(handlerStop), socket);
        });
    }
}

TestHttpServer::Reply TestHttpServer::replyFor(const Request& request)
{
    if (!m_script.empty()) {
        Reply reply = std::move(m_script.front());
        m_script.pop_front();
        return reply;
    }
    const auto routed = m_routes.find(request.target);
    return routed != m_routes.end() ? routed->second : m_fallback;
}

void TestHttpServer::handle(std::stop_token stop, int socket)
{
    {
        Connection connection(socket, m_tlsContext.get());
        std::string data;
        std::optional<Request> request;
        if (connection.handshake(stop)) {
            char buffer[16384];
            for (;;) {
                const std::size_t headEnd = data.find("\r\n\r\n");
                if (headEnd != std::string::npos &&
                    data.size() >= headEnd + 4 + contentLength(data, headEnd)) {
                    request = parsed(data);
                    break;
                }
                const std::size_t got = connection.read(buffer, sizeof buffer, stop);
                if (got == 0)
                    break;
                data.append(buffer, got);
            }
        }
        if (request) {
            Reply reply;
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back(*request);
                reply = replyFor(*request);
                m_changed.notify_all();
            }
            deliver(connection, reply, stop);
        }
    }
    std::lock_guard lock(m_mutex);
    --m_openConnections;
}

void TestHttpServer::deliver(Connection& connection, const Reply& reply, std::stop_token stop)
{
    if (reply.raw) {
        connection.write(*reply.raw, stop);
        return;
    }
    switch (reply.delivery) {
    case Delivery::whole:
        connection.write(head(reply, static_cast<long long>(reply.body.size())) + reply.body, stop);
        return;
    case Delivery::stalledBody:
        if (!connection.write(head(reply, endlessLength), stop))
            return;
        [[fallthrough]];
    case Delivery::silent:
        while (!stop.stop_requested() && !connection.peerGone())
            std::this_thread::sleep_for(tick);
        return;
    case Delivery::trickledHead:
    case Delivery::trickledBody: {
        const std::string start = reply.delivery == Delivery::trickledHead
                                      ? "HTTP/1.1 200 OK\r\nX-Trickle: "
                                      : head(reply, endlessLength);
        if (!connection.write(start, stop))
            return;
        while (!stop.stop_requested() && !connection.peerGone() && connection.write("a", stop))
            std::this_thread::sleep_for(trickleInterval);
        return;
    }
    case Delivery::endlessBody: {
        if (!connection.write(head(reply, endlessLength), stop))
            return;
        const std::string chunk(64 * 1024, 'x');
        for (long long sent = 0; sent < endlessLength && connection.write(chunk, stop);)
            sent += static_cast<long long>(chunk.size());
        return;
    }
    }
}

} // namespace morvane
