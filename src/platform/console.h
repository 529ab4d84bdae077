#pragma once
// The console a command-line program talks through: whether a standard stream is a terminal, how
// wide it is, colour on it, UTF-8 text in and out, and the program's arguments as UTF-8.

#include <string>
#include <vector>

namespace thld {

enum class StandardStream {
    Input,
    Output,
    Error
};

// Makes the console take and show UTF-8 (Windows: the console's input and output code pages;
// elsewhere the terminal does already).
void UseUtf8Console();

// True when the stream is an interactive terminal (not a file or a pipe).
bool IsTerminal(StandardStream stream);

// The terminal's width in columns; 0 when the stream is no terminal or its width is not known.
int TerminalColumns(StandardStream stream);

// Lets the terminal of the stream show colour escape sequences (Windows: turns on their processing
// in the console); false when it can't.
bool EnableColour(StandardStream stream);

// The program's arguments after its name, in UTF-8 (Windows reads them from the wide command line,
// as the narrow ones are in the ANSI code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace thld
