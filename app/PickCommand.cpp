#include "PickCommand.h"

#include "ConvertCommand.h"
#include "Notations.h"
#include "RunningImage.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace PickCommand {

namespace {

// A closed standard stream gets /dev/null, opened so that it fails as the closed one would
// (writes to standard output still fail): otherwise the next file opened (the socket to the
// running copy) would take its number, and the hex would be written into it.
void occupyClosedStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = ::open("/dev/null", fd == STDERR_FILENO ? O_WRONLY : O_RDONLY);
        if (opened != fd && opened >= 0) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

} // namespace

int exec(int argc, char* argv[])
{
    occupyClosedStandardStreams();
    // A reader that went away is reported as a lost colour, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto notation = ConvertCommand::chosenNotation(QCoreApplication::arguments(), err);
    if (!notation)
        return ConvertCommand::usageError;
    SingleInstance channel;
    return run(channel, startDetachedCopy, out, err, startTimeout, *notation);
}

int run(SingleInstance& channel, const StartCopy& startCopy, QTextStream& out, QTextStream& err,
        std::chrono::milliseconds timeout, const Notation* notation)
{
    using Outcome = SingleInstance::PickAnswer::Outcome;
    const auto fail = [&err](const QString& reason) {
        err << "morvane-color-picker: " << reason << Qt::endl;
        return 1;
    };

    // A copy that holds the lock but does not listen yet is starting: wait for it instead.
    if (!channel.isClaimedElsewhere()) {
        if (const QString problem = startCopy(); !problem.isEmpty())
            return fail(problem);
    }

    const SingleInstance::PickAnswer answer = channel.requestPick(timeout);
    switch (answer.outcome) {
    case Outcome::picked: {
        QString text = answer.hex;
        if (notation && notation != &Notations::hex()) {
            const std::optional<PickedColor> color = PickedColor::fromHex(answer.hex);
            if (!color)
                return fail(QStringLiteral("the picker answered no color: %1").arg(answer.hex));
            text = notation->format(*color);
        }
        out << text << Qt::endl;
        if (out.status() != QTextStream::Ok)
            return fail(QStringLiteral("picked %1, but standard output did not take it (closed, "
                                       "full or a broken pipe)")
                            .arg(text));
        return 0;
    }
    case Outcome::cancelled:
        return fail(QStringLiteral("no color picked: the pick was cancelled"));
    case Outcome::unavailable:
        return fail(QStringLiteral("no color picked: %1").arg(answer.reason));
    case Outcome::unreachable:
        return fail(QStringLiteral("the picker in the tray did not answer"));
    case Outcome::busy:
        return fail(QStringLiteral("the picker in the tray is busy with other requests; try "
                                   "again"));
    case Outcome::refused:
        return fail(QStringLiteral("the running picker does not take pick requests; quit it "
                                   "and try again"));
    case Outcome::lost:
        break;
    }
    return fail(QStringLiteral("the picker quit before the pick ended"));
}

QString missingDisplay(const QProcessEnvironment& environment)
{
    if (!environment.value(QStringLiteral("DISPLAY")).isEmpty() ||
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
        return {};
    // A platform chosen by hand that needs no display (offscreen, vnc...) is left to Qt.
    const QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")) &&
        !platform.startsWith(QLatin1String("wayland")))
        return {};
    return QStringLiteral("no display to start the picker in the tray on ($DISPLAY and "
                          "$WAYLAND_DISPLAY are unset)");
}

QString startDetachedCopy()
{
    if (QString problem = missingDisplay(QProcessEnvironment::systemEnvironment());
        !problem.isEmpty())
        return problem;
    QProcess copy;
    copy.setProgram(RunningImage::current().path);
    copy.setWorkingDirectory(QDir::homePath());
    copy.setStandardInputFile(QProcess::nullDevice());
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.setStandardErrorFile(QProcess::nullDevice());
    if (!copy.startDetached())
        return QStringLiteral("could not start the picker in the tray");
    return {};
}

} // namespace PickCommand
