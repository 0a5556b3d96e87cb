#pragma once

#include <utility>

#include <fcntl.h>
#include <unistd.h>

// Owns one file descriptor and closes it once: on destruction, reset() or assignment.
class UniqueFd
{
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }
    // Calls on it return EAGAIN instead of waiting.
    void setNonBlocking() const
    {
        const int flags = ::fcntl(m_fd, F_GETFL);
        if (flags != -1 && !(flags & O_NONBLOCK))
            ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
    }
    // Not retried on EINTR: Linux frees the descriptor either way, and a retry could close
    // one another thread has just been given.
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd = -1;
};
