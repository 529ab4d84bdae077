#include "cli/tallyhold.h"

#include <new>
#include <optional>

#include "cli/command_line.h"
#include "cli/console_output.h"
#include "cli/terminal_text.h"
#include "platform/file_error.h"

namespace thld::cli {

namespace {

// A message for standard error, after the program's name, wrapped to the width: whatever file
// names it holds, its lines carry no control character.
std::string Reported(std::string_view message, std::size_t width)
{
    std::string lines = "tallyhold: ";
    for (;;) {
        const std::size_t end = message.find('\n');
        lines += PrintableText(message.substr(0, end));
        if (end == std::string_view::npos)
            return WrappedLines(lines, width, 2) + '\n';
        lines += '\n';
        message.remove_prefix(end + 1);
    }
}

}  // namespace

int RunTallyhold(const std::vector<std::string>& arguments)
{
    Console console;
    try {
        CommandLine commandLine;
        const Command* command = commandLine.Parse(arguments, console);
        int exitCode = kExitDone;
        if (command) {
            console.ChooseColour(commandLine.Colour());
            exitCode = (*command)(commandLine.options, console);
        }
        if (const std::optional<std::string> failure = console.OutputFailure()) {
            if (!failure->empty())
                console.Err(Reported(*failure, console.ErrWidth()));
            return kExitFailed;
        }
        return exitCode;
    } catch (const UsageError& error) {
        console.Err(Reported(error.what(), console.TextWidth()) + WrappedLines(error.hint, console.TextWidth(), 2) +
                    "\n");
        return kExitUsage;
    } catch (const Failure& error) {
        console.Err(Reported(error.what(), console.ErrWidth()));
    } catch (const FileError& error) {
        console.Err(Reported(error.what(), console.ErrWidth()));
    } catch (const std::bad_alloc&) {
        console.Err(Reported("there is not enough memory", console.ErrWidth()));
    } catch (const std::exception& error) {
        console.Err(Reported(error.what(), console.ErrWidth()));
    } catch (...) {
        console.Err(Reported("an unexpected error ended the program", console.ErrWidth()));
    }
    return kExitFailed;
}

}  // namespace thld::cli
