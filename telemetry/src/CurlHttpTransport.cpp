#include <morvane/telemetry/CurlHttpTransport.h>

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <string_view>

namespace morvane::telemetry {

namespace {

struct EasyDeleter
{
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct MultiDeleter
{
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};

struct ListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// What the callbacks see of one exchange.
struct Exchange
{
    HttpResponse* response;
    std::size_t bodyLimit;
    bool finalStatus = false; // the head being read is a final (not 1xx) one
    bool stoppedOnPurpose = false;
};

std::size_t readHead(char* data, std::size_t size, std::size_t count, void* context)
{
    auto* exchange = static_cast<Exchange*>(context);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        const std::size_t space = line.find(' ');
        exchange->finalStatus =
            space != std::string_view::npos && space + 1 < line.size() && line[space + 1] != '1';
    } else if ((line == "\r\n" || line == "\n") && exchange->finalStatus &&
               exchange->bodyLimit == 0) {
        // The head is complete and the body plays no part: end the exchange here.
        exchange->stoppedOnPurpose = true;
        return 0;
    }
    return line.size();
}

std::size_t readBody(char* data, std::size_t size, std::size_t count, void* context)
{
    auto* exchange = static_cast<Exchange*>(context);
    std::string& body = exchange->response->body;
    const std::size_t bytes = size * count;
    const std::size_t room = exchange->bodyLimit - body.size();
    body.append(data, std::min(bytes, room));
    if (bytes <= room)
        return bytes;
    // Enough read: end the exchange rather than read on to the end of a huge body.
    exchange->response->truncated = true;
    exchange->stoppedOnPurpose = true;
    return 0;
}

HttpResponse failure(CURLcode code, const char* detail)
{
    std::string text = curl_easy_strerror(code);
    if (detail && *detail)
        text.append(": ").append(detail);
    return HttpResponse{.status = std::nullopt, .body = {}, .error = std::move(text)};
}

HttpResponse aborted()
{
    return HttpResponse{.status = std::nullopt, .body = {}, .error = "request aborted"};
}

// Runs the transfer to its end; false when stop was requested first.
bool perform(CURLM* multi, const std::stop_token& stop, CURLcode& code)
{
    // Wakes the poll below from whichever thread requests the stop.
    const std::stop_callback wake(stop, [multi] { curl_multi_wakeup(multi); });
    for (int running = 1;;) {
        if (stop.stop_requested())
            return false;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            return true;
        }
        if (running == 0)
            break;
        if (curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            return true;
        }
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE)
            code = message->data.result;
    }
    return true;
}

} // namespace

CurlHttpTransport::CurlHttpTransport()
{
    // Global initialisation is not thread-safe in every libcurl; do it once, here.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpResponse CurlHttpTransport::send(const HttpRequest& request, std::stop_token stop)
{
    if (stop.stop_requested())
        return aborted();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi)
        return failure(CURLE_FAILED_INIT, nullptr);
    CURL* handle = easy.get();

    std::unique_ptr<curl_slist, ListDeleter> headers;
    auto addHeader = [&headers](const std::string& line) {
        curl_slist* extended = curl_slist_append(headers.get(), line.c_str());
        if (extended) {
            (void)headers.release();
            headers.reset(extended);
        }
    };
    for (const auto& [name, value] : request.headers)
        addHeader(name + ": " + value);
    addHeader("Expect:"); // no 100-continue round trip for larger bodies

    HttpResponse response;
    Exchange exchange{.response = &response, .bodyLimit = request.maxResponseBytes};
    std::array<char, CURL_ERROR_SIZE> detail{};
    // libcurl reads 0 as "no time-out at all"; a caller asking for none gets the shortest.
    const long timeoutMs = std::max(1L, static_cast<long>(request.timeout.count()));

    curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    // A reply without a status line is then handed back as such instead of failing.
    curl_easy_setopt(handle, CURLOPT_HTTP09_ALLOWED, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, readHead);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, readBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, detail.data());
    if (request.method == "GET") {
        curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    } else {
        if (request.method != "POST")
            curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
    }

    if (curl_multi_add_handle(multi.get(), handle) != CURLM_OK)
        return failure(CURLE_FAILED_INIT, nullptr);
    CURLcode code = CURLE_OK;
    const bool finished = perform(multi.get(), stop, code);
    curl_multi_remove_handle(multi.get(), handle);
    if (!finished)
        return aborted();
    if (code == CURLE_WRITE_ERROR && exchange.stoppedOnPurpose)
        code = CURLE_OK;
    if (code == CURLE_WEIRD_SERVER_REPLY)
        return HttpResponse{}; // something answered, but not in HTTP
    if (code != CURLE_OK)
        return failure(code, detail.data());
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (status > 0) // 0 after an HTTP/0.9-style reply: not an HTTP response
        response.status = static_cast<int>(status);
    return response;
}

} // namespace morvane::telemetry
