#pragma once

#include "core/Log.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Records every entry of the Logs built while it is installed as the process's sink, and
// puts standard error back when it goes. Logs that outlive it still write safely.
class RecordingLogSink
{
public:
    struct Entry
    {
        Log::Priority priority;
        std::string category;
        std::string message;

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    RecordingLogSink()
    {
        Log::installProcessSink([state = m_state](Log::Priority priority, std::string_view category,
                                                  std::string_view message) {
            const std::lock_guard lock(state->mutex);
            state->entries.push_back({priority, std::string(category), std::string(message)});
        });
    }
    ~RecordingLogSink() { Log::installProcessSink({}); }
    RecordingLogSink(const RecordingLogSink&) = delete;
    RecordingLogSink& operator=(const RecordingLogSink&) = delete;

    std::vector<Entry> entries() const
    {
        const std::lock_guard lock(m_state->mutex);
        return m_state->entries;
    }

private:
    struct State
    {
        std::mutex mutex;
        std::vector<Entry> entries;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};
