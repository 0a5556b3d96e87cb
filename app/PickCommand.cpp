#include "PickCommand.h"

#include "ConvertCommand.h"
#include "Notations.h"
#include "RelocationWarning.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>

#include <cstdio>

namespace PickCommand {

int exec(int argc, char* argv[])
{
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
    if (!channel.isClaimedElsewhere() && !startCopy())
        return fail(QStringLiteral("could not start the picker in the tray"));

    const SingleInstance::PickAnswer answer = channel.requestPick(timeout);
    switch (answer.outcome) {
    case Outcome::picked:
        if (notation && notation != &Notations::hex()) {
            const std::optional<PickedColor> color = PickedColor::fromHex(answer.hex);
            if (!color)
                return fail(QStringLiteral("the picker answered no color: %1").arg(answer.hex));
            out << notation->format(*color) << Qt::endl;
            return 0;
        }
        out << answer.hex << Qt::endl;
        return 0;
    case Outcome::cancelled:
        return fail(QStringLiteral("no color picked: the pick was cancelled"));
    case Outcome::unavailable:
        return fail(QStringLiteral("no color picked: %1").arg(answer.reason));
    case Outcome::unreachable:
        return fail(QStringLiteral("the picker in the tray did not answer"));
    case Outcome::refused:
        return fail(QStringLiteral("the running picker does not take pick requests; quit it "
                                   "and try again"));
    case Outcome::lost:
        break;
    }
    return fail(QStringLiteral("the picker quit before the pick ended"));
}

bool startDetachedCopy()
{
    QProcess copy;
    copy.setProgram(RelocationWarning::runningBundlePath());
    copy.setWorkingDirectory(QDir::homePath());
    copy.setStandardInputFile(QProcess::nullDevice());
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.setStandardErrorFile(QProcess::nullDevice());
    return copy.startDetached();
}

} // namespace PickCommand
