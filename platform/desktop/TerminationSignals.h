#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <csignal>
#include <initializer_list>
#include <vector>

// Turns termination signals (SIGTERM and SIGINT by default) into a Qt signal on the main
// thread, so the application can quit through its event loop: destructors run, the store is
// written, and on X11 the clipboard goes to a clipboard manager. The handler only writes the
// signal's number to a pipe; a socket notifier reads it. Each handler is reset to the default
// action when it runs, so a second signal of the same kind still ends a process whose quit
// hangs. One instance per process; the destructor restores the previous actions.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(std::initializer_list<int> signalNumbers = {SIGTERM, SIGINT},
                                QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void received(int signalNumber);

private:
    void drain();

    int m_readEnd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::vector<std::pair<int, struct sigaction>> m_previous;
};
