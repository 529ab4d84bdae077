#pragma once
// Runs the built tallyhold as a user would: arguments, standard input, and what it writes to
// standard output and standard error, with its exit code. Also the other processes some cases
// need: one holding a file, one named like the game.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace thld::test {

struct ProgramCall {
    std::vector<std::string> arguments = {};
    std::string input = {};  // standard input, then its end
    // Variables set (or, with no value, unset) for this run; POSIX systems only.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment = {};
    // POSIX systems: run as the user "nobody" when the tests run as root, to whom no file of the
    // tests is writable (root writes to read-only folders).
    bool asAnotherUser = false;
    // POSIX systems: when not 0, the run is ended (SIGALRM, exit code 142) after this many seconds,
    // so that a hang fails the test rather than stopping it.
    unsigned timeoutSeconds = 0;
    // POSIX systems: the file standard output goes to ("/dev/full"); a file of the run's otherwise.
    std::string output = {};
    // POSIX systems: standard output is a terminal (a pseudo-terminal whose size is not known).
    bool onTerminal = false;
};

struct ProgramResult {
    int exitCode = -1;  // 128 + the signal's number when a signal ended it
    std::string out;    // line ends as "\n"
    std::string err;
};

ProgramResult RunTallyhold(const ProgramCall& call);

// Something another process holds while the object lives.
class Held {
public:
    virtual ~Held() = default;
};

// The file held open without sharing, as the game holds its files (Windows); nothing where files
// can't be held so.
std::unique_ptr<Held> HoldUnshared(const std::string& path);

// A waiting program running under the file name `name` (copied into `folder`), seen in the process
// list; nothing where this can't be done.
std::unique_ptr<Held> RunningAs(const std::string& folder, const std::string& name);

}  // namespace thld::test
