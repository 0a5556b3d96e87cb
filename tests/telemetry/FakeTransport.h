#pragma once

#include <morvane/telemetry/HttpTransport.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace morvane::telemetry::testing {

// An in-memory transport: records every request and answers from a script, then with the
// fallback response (200 unless set otherwise).
class FakeTransport final : public HttpTransport
{
public:
    static HttpResponse status(int code)
    {
        HttpResponse response;
        response.status = code;
        return response;
    }

    HttpResponse send(const HttpRequest& request, std::stop_token) override
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
        HttpResponse response = m_fallback;
        if (!m_script.empty()) {
            response = m_script.front();
            m_script.pop_front();
        }
        m_changed.notify_all();
        return response;
    }

    void script(std::vector<HttpResponse> responses)
    {
        std::lock_guard lock(m_mutex);
        m_script.assign(responses.begin(), responses.end());
    }

    std::vector<HttpRequest> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

    nlohmann::json body(std::size_t index) const
    {
        std::lock_guard lock(m_mutex);
        return nlohmann::json::parse(m_requests.at(index).body);
    }

    bool waitForRequests(std::size_t count,
                         std::chrono::seconds patience = std::chrono::seconds(20))
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, patience, [&] { return m_requests.size() >= count; });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<HttpRequest> m_requests;
    std::deque<HttpResponse> m_script;
    HttpResponse m_fallback = status(200);
};

} // namespace morvane::telemetry::testing
