#include "cli/test_game.h"

#include "synthetic_cache.h"

namespace thld::test {

ProgramResult TestGame::Run(std::vector<std::string> arguments, const std::string& input) const
{
    arguments.push_back("--game");
    arguments.push_back(folders.gameFolder);
    return RunTallyhold({arguments, input});
}

void TestGame::LaySynthetic(std::size_t count) const
{
    bench::WriteCache(bench::PlanCache(count, 1999), folders.cacheFolder);
}

}  // namespace thld::test
