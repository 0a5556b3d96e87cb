#pragma once

#include "app/runningcopy/RunningCopyPick.h"

#include <QProcessEnvironment>
#include <QString>

#include <chrono>
#include <functional>

class QTextStream;
class SingleInstance;
struct ColorFormat;

// "--pick": asks the running copy for a pick through the single-instance channel, first
// starting a copy in the tray when none runs, and waits for the pick to end. The picked colour
// goes to standard output in the format of "--format ID", a built-in notation or one of the
// user's templates (hex without it; an unknown id ends the command with status 2 before any
// pick) (exit status 0); a cancel, no copy to ask (or no display to start one on), or a colour
// that standard output did not take (closed, full, a broken pipe) gives one line on standard
// error and exit status 1. Needs no display itself.
namespace PickCommand {

// How long a copy may take to start listening.
inline constexpr std::chrono::seconds startTimeout = RunningCopyPick::copyStartTimeout;

// Starts a copy in the tray; empty when it was started, else why not.
using StartCopy = std::function<QString()>;

// The whole command in a process of its own; returns the exit status. `copyStarted`: a copy
// was started already (see RunningCopyPick::startCopyWhereNoneRuns()); it is only waited for.
int exec(int argc, char* argv[], bool copyStarted = false);

// The request over `channel`; returns the exit status. Null `format`: hex.
int run(SingleInstance& channel, const StartCopy& startCopy, QTextStream& out, QTextStream& err,
        std::chrono::milliseconds timeout = startTimeout, const ColorFormat* format = nullptr);

// Starts the image we run from (RunningImage::current()) detached, with none of this process's
// standard streams: `hex=$(morvane-color-picker --pick)` would otherwise wait for the tray
// copy to end. Refuses at once when the environment names no display for it.
QString startDetachedCopy();

// Why a copy started with this environment could not show itself: no display is named and
// the platform Qt would choose needs one. Empty when it may.
QString missingDisplay(const QProcessEnvironment& environment);

} // namespace PickCommand
