#pragma once
// The help of the program or of one command, built from what the command line's parser knows of
// its commands and options and wrapped at word boundaries to a width: the description, the usage
// line, the arguments, the options, the commands and the program's footer.

#include <cstddef>
#include <string>

namespace CLI {
class App;
}

namespace thld::cli {

// The help of `app` (the program, or one of its commands) in lines of at most `width` columns,
// but for a word that can't be broken. Ends in a line break.
std::string HelpText(const CLI::App& app, std::size_t width);

// The one line of usage of `app`: "Usage: tallyhold delete [OPTIONS] [NAME...]".
std::string UsageLine(const CLI::App& app);

}  // namespace thld::cli
