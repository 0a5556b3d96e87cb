#pragma once

#include <chrono>
#include <functional>

class QTextStream;
class SingleInstance;
struct Notation;

// "--pick": asks the running copy for a pick through the single-instance channel, first
// starting a copy in the tray when none runs, and waits for the pick to end. The picked colour
// goes to standard output in the notation of "--format ID" (hex without it; an unknown id
// ends the command with status 2 before any pick) (exit status 0); a cancel, or no copy to ask,
// gives nothing there, one line on standard error and exit status 1. Needs no display itself.
namespace PickCommand {

// How long a copy may take to start listening (a cold start on a loaded machine is slow).
inline constexpr std::chrono::seconds startTimeout{30};

// Starts a copy in the tray; true when it was started.
using StartCopy = std::function<bool()>;

// The whole command in a process of its own; returns the exit status.
int exec(int argc, char* argv[]);

// The request over `channel`; returns the exit status. Null `notation`: hex.
int run(SingleInstance& channel, const StartCopy& startCopy, QTextStream& out, QTextStream& err,
        std::chrono::milliseconds timeout = startTimeout, const Notation* notation = nullptr);

// Starts the running executable ($APPIMAGE when set) detached, with none of this process's
// standard streams: `hex=$(morvane-color-picker --pick)` would otherwise wait for the tray
// copy to end.
bool startDetachedCopy();

} // namespace PickCommand
