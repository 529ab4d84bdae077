#pragma once
// Ctrl-C while a long run is under way: while an InterruptCatcher is held, Ctrl-C (SIGINT on POSIX
// systems, the console's Ctrl-C and Ctrl-Break events on Windows) no longer ends the program at
// once but is noted, for the run to end at its next clean point. One catcher at a time.

namespace thld {

class InterruptCatcher {
public:
    InterruptCatcher();
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    // True once Ctrl-C was pressed while the catcher was held.
    bool Caught() const;
};

}  // namespace thld
