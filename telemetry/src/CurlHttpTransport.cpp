#include <morvane/telemetry/CurlHttpTransport.h>

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>

namespace morvane::telemetry {

namespace {

struct EasyDeleter
{
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct ListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct BodySink
{
    std::string* body;
    std::size_t limit;
};

std::size_t collectBody(char* data, std::size_t size, std::size_t count, void* context)
{
    auto* sink = static_cast<BodySink*>(context);
    const std::size_t bytes = size * count;
    if (sink->body->size() < sink->limit)
        sink->body->append(data, std::min(bytes, sink->limit - sink->body->size()));
    return bytes; // the rest is read and dropped, so a large reply is not a failure
}

HttpResponse failure(CURLcode code, const char* detail)
{
    std::string text = curl_easy_strerror(code);
    if (detail && *detail)
        text.append(": ").append(detail);
    return HttpResponse{.status = std::nullopt, .body = {}, .error = std::move(text)};
}

} // namespace

CurlHttpTransport::CurlHttpTransport()
{
    // Global initialisation is not thread-safe in every libcurl; do it once, here.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpResponse CurlHttpTransport::send(const HttpRequest& request)
{
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy)
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
    BodySink sink{&response.body, request.maxResponseBytes};
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
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
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

    const CURLcode code = curl_easy_perform(handle);
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
