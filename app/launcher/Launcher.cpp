// The executable. A command line the option table refuses ends here (status 2); "--pick"
// alone, with a copy running, is answered here with nothing but the C library (and with none
// running, the copy is started here at once); everything else loads the application proper, a
// module in the private library folder, and runs it. Loading Qt and the rest takes a new
// process several milliseconds, more than a pick itself once warm.
#include "app/runningcopy/RunningCopyPick.h"
#include "core/commandline/ParsedCommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <dlfcn.h>
#include <unistd.h>

namespace {

// MORVANE_APP_MODULE is the module's path relative to the executable's folder, the same in
// the build tree as installed (from the working folder when /proc cannot say).
std::string applicationModulePath()
{
    const std::string executable = RunningCopyPick::executablePath();
    const std::size_t slash = executable.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : executable.substr(0, slash);
    return folder + '/' + MORVANE_APP_MODULE;
}

int runApplication(int argc, char* argv[], bool copyStarted)
{
    const std::string path = applicationModulePath();
    // Global, as an executable's own libraries are: what the application loads later sees
    // them as before.
    void* module = ::dlopen(path.c_str(), RTLD_LAZY | RTLD_GLOBAL);
    using Entry = int (*)(int, char**, bool);
    const auto entry =
        module ? reinterpret_cast<Entry>(::dlsym(module, "morvane_color_picker_main")) : nullptr;
    if (!entry) {
        const char* error = ::dlerror();
        std::fprintf(stderr, "morvane-color-picker: cannot load the application from %s: %s\n",
                     path.c_str(), error ? error : "no entry point");
        return 1;
    }
    return entry(argc, argv, copyStarted);
}

} // namespace

int main(int argc, char* argv[])
{
    const ParsedCommandLine commandLine = ParsedCommandLine::parse(argc, argv);
    if (!commandLine.problem().empty()) {
        std::fputs(commandLine.refusal().c_str(), stderr);
        return ParsedCommandLine::refusalStatus;
    }
    bool copyStarted = false;
    // "--pick" and no option that needs more.
    if (commandLine.onlyFor(CommandLineOptions::Handler::launcher)) {
        RunningCopyPick::occupyClosedStandardStreams();
        const char* runtimeFolder = std::getenv("XDG_RUNTIME_DIR");
        const std::string socket = RunningCopyPick::socketPath(runtimeFolder);
        if (const auto status = RunningCopyPick::run(socket, STDOUT_FILENO, STDERR_FILENO))
            return *status;
        copyStarted = RunningCopyPick::startCopyWhereNoneRuns(runtimeFolder);
        // Waits here for the copy started, which has the machine to itself meanwhile; the
        // full way explains whatever else happens.
        if (copyStarted) {
            if (const auto status = RunningCopyPick::run(socket, STDOUT_FILENO, STDERR_FILENO,
                                                         RunningCopyPick::copyStartTimeout))
                return *status;
        }
    }
    return runApplication(argc, argv, copyStarted);
}
