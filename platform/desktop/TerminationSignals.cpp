#include "platform/desktop/TerminationSignals.h"

#include "core/Log.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The pipe's write end, for the handler (which may run on any thread).
volatile sig_atomic_t writeEnd = -1;

void onSignal(int number)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    // A full pipe already holds a wake-up; the byte may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent)
{
    Q_ASSERT(writeEnd == -1);
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        Log("lifecycle").warning("no pipe for termination signals: they end the process at once");
        return;
    }
    m_readEnd = ends[0];
    writeEnd = ends[1];
    m_notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::drain);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int number : signalNumbers) {
        struct sigaction previous = {};
        if (::sigaction(number, &action, &previous) == 0)
            m_previous.emplace_back(number, previous);
    }
}

TerminationSignals::~TerminationSignals()
{
    for (const auto& [number, previous] : m_previous)
        ::sigaction(number, &previous, nullptr);
    if (m_readEnd == -1)
        return;
    const int end = writeEnd;
    writeEnd = -1;
    ::close(end);
    ::close(m_readEnd);
}

void TerminationSignals::drain()
{
    unsigned char byte = 0;
    while (::read(m_readEnd, &byte, 1) == 1)
        emit received(byte);
}
