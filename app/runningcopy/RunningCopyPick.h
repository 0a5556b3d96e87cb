#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// "--pick" answered by a copy that already runs, with nothing but the C library: a pick from
// a shortcut or a script then starts without loading the application's libraries, which
// alone takes a new process several milliseconds. Everything else (no copy running, one that
// is busy or refuses, --format) is left to PickCommand in the application proper.
namespace RunningCopyPick {

// How long "--pick" waits for a copy it started to listen (a cold start on a loaded machine
// is slow).
inline constexpr std::chrono::seconds copyStartTimeout{30};

// The socket a running copy listens on in `runtimeFolder` ($XDG_RUNTIME_DIR); empty when
// that is unset or not an absolute path (Qt then picks another folder, which the full way
// finds).
std::string socketPath(const char* runtimeFolder);
// The lock beside it; empty likewise.
std::string lockPath(const char* runtimeFolder);

// Asks the copy listening at `socketPath` for a pick and reports its end as "--pick" does:
// the hex and a newline on `out`, or a message on `err`. None when no copy took the request
// (none listened within `wait`, or it answered anything but "ok"): then nothing was printed,
// and the full way must run. Otherwise the exit status. Writes to a closed pipe fail instead
// of raising SIGPIPE.
std::optional<int> run(const std::string& socketPath, int out, int err,
                       std::chrono::milliseconds wait = {});

// Where none runs, starts the copy in the tray at once, beginning with the pick (its tray
// icon comes after), so that its start-up (the longest part of such a pick) runs while this
// process loads the rest; PickCommand then only waits for it. True when started. Left to
// PickCommand (false) where it explains or waits instead: no runtime folder, no display named, a
// copy holding the lock (starting, not listening yet), or an AppImage (whose path needs checking).
// The copy is this executable, detached: a session of its own, the home folder as its working
// folder, /dev/null for its standard streams.
bool startCopyWhereNoneRuns(const char* runtimeFolder);

// Whether a copy started with these values of $DISPLAY, $WAYLAND_DISPLAY and $QT_QPA_PLATFORM
// could show itself: a display is named, or Qt is told to use a platform that needs none.
bool namesDisplay(std::string_view display, std::string_view waylandDisplay,
                  std::string_view platform);

// This executable's path; empty when /proc cannot say.
std::string executablePath();

// Whether a process holds the single-instance lock file at `path`.
bool isClaimed(const std::string& lockPath);

// Gives a closed standard stream /dev/null, opened so that it fails as the closed one would
// (writes to standard output still fail): otherwise the next file opened (the socket to the
// running copy) would take its number, and the hex would be written into it.
void occupyClosedStandardStreams();

} // namespace RunningCopyPick
