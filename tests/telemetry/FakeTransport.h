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
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        HttpResponse response = fallback_;
        if (!script_.empty()) {
            response = script_.front();
            script_.pop_front();
        }
        changed_.notify_all();
        return response;
    }

    void script(std::vector<HttpResponse> responses)
    {
        std::lock_guard lock(mutex_);
        script_.assign(responses.begin(), responses.end());
    }

    std::vector<HttpRequest> requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    nlohmann::json body(std::size_t index) const
    {
        std::lock_guard lock(mutex_);
        return nlohmann::json::parse(requests_.at(index).body);
    }

    bool waitForRequests(std::size_t count,
                         std::chrono::seconds patience = std::chrono::seconds(20))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, patience, [&] { return requests_.size() >= count; });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<HttpRequest> requests_;
    std::deque<HttpResponse> script_;
    HttpResponse fallback_ = status(200);
};

} // namespace morvane::telemetry::testing
