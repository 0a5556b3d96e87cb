#include "app/shell/PickCommand.h"

#include "app/runningcopy/PickMessages.h"
#include "app/runningcopy/RunningCopyPick.h"
#include "app/shell/CommandLinePreferences.h"
#include "core/CommandLineArguments.h"
#include "core/CommandLineFormats.h"
#include "core/ConvertCommand.h"
#include "core/Notations.h"
#include "core/RunningImage.h"
#include "platform/instance/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>

#include <csignal>

namespace PickCommand {

int exec(int argc, char* argv[], bool copyStarted)
{
    RunningCopyPick::occupyClosedStandardStreams();
    // A reader that went away is reported as a lost colour, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The preferences are read for --format only: a plain pick prints hex.
    const QStringList arguments = QCoreApplication::arguments();
    std::optional<ColorFormat> format;
    if (CommandLineArguments::parse(arguments).has(CommandLineOptions::format)) {
        const CommandLineFormats formats(CommandLinePreferences::open());
        format = ConvertCommand::chosenFormat(arguments, formats.list(), err);
        if (!format)
            return ConvertCommand::usageError;
    }
    SingleInstance channel;
    const StartCopy startedAlready = [] { return QString(); };
    return run(channel, copyStarted ? startedAlready : StartCopy(startDetachedCopy), out, err,
               startTimeout, format ? &*format : nullptr);
}

int run(SingleInstance& channel, const StartCopy& startCopy, QTextStream& out, QTextStream& err,
        std::chrono::milliseconds timeout, const ColorFormat* format)
{
    using Outcome = SingleInstance::PickAnswer::Outcome;
    const auto fail = [&err](const QString& reason) {
        err << PickMessages::prefix << reason << Qt::endl;
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
        if (format && format->notation != &Notations::hex()) {
            const std::optional<PickedColor> color = PickedColor::fromHex(answer.hex);
            if (!color)
                return fail(QStringLiteral("the picker answered no color: %1").arg(answer.hex));
            text = format->format(*color);
        }
        out << text << Qt::endl;
        if (out.status() != QTextStream::Ok)
            return fail(QStringLiteral("picked ") + text +
                        QLatin1String(PickMessages::outputRefused));
        return 0;
    }
    case Outcome::cancelled:
        return fail(QLatin1String(PickMessages::cancelled));
    case Outcome::unavailable:
        return fail(QLatin1String(PickMessages::unavailable) + answer.reason);
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
    return fail(QLatin1String(PickMessages::lost));
}

QString missingDisplay(const QProcessEnvironment& environment)
{
    const auto value = [&environment](const char* name) {
        return environment.value(QLatin1String(name)).toLocal8Bit().toStdString();
    };
    // A platform chosen by hand that needs no display (offscreen, vnc...) is left to Qt.
    if (RunningCopyPick::namesDisplay(value("DISPLAY"), value("WAYLAND_DISPLAY"),
                                      value("QT_QPA_PLATFORM")))
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
    copy.setArguments({CommandLineArguments::nameText(CommandLineOptions::pickAtStart)});
    copy.setWorkingDirectory(QDir::homePath());
    copy.setStandardInputFile(QProcess::nullDevice());
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.setStandardErrorFile(QProcess::nullDevice());
    if (!copy.startDetached())
        return QStringLiteral("could not start the picker in the tray");
    return {};
}

} // namespace PickCommand
