// The commands' runs check for the running game (run_plan.h); in these tests none runs, whatever
// else runs on the machine meanwhile (the command line's tests start a program named as the game).
#include "game/process_scanner.h"

namespace thld::test {
namespace {

const bool kNoGameRunning = [] {
    SetSystemProcessNames([] { return std::vector<std::string>(); });
    return true;
}();

}  // namespace
}  // namespace thld::test
