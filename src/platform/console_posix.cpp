#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/console.h"

namespace thld {

namespace {
int Descriptor(StandardStream stream)
{
    switch (stream) {
    case StandardStream::Input:
        return STDIN_FILENO;
    case StandardStream::Output:
        return STDOUT_FILENO;
    case StandardStream::Error:
        return STDERR_FILENO;
    }
    return STDOUT_FILENO;
}
}  // namespace

void UseUtf8Console() {}

bool IsTerminal(StandardStream stream) { return ::isatty(Descriptor(stream)) == 1; }

int TerminalColumns(StandardStream stream)
{
    winsize size{};
    if (!IsTerminal(stream) || ::ioctl(Descriptor(stream), TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}

bool EnableColour(StandardStream stream) { return IsTerminal(stream); }

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

}  // namespace thld
