#pragma once
// The tests' game folder (support/test_game_folder.h) with tallyhold run on it.

#include "cli/program_run.h"
#include "support/test_game_folder.h"

namespace thld::test {

class TestGame : public TestGameFolder {
public:
    // tallyhold with `arguments`, then --game and the game folder.
    ProgramResult Run(std::vector<std::string> arguments, const std::string& input = {}) const;
    // A synthetic cache of the benchmark's.
    void LaySynthetic(std::size_t count) const;
};

}  // namespace thld::test
