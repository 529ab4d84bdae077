#include "cli/tallyhold.h"
#include "platform/console.h"

int main(int argc, char** argv) { return thld::cli::RunTallyhold(thld::ProgramArguments(argc, argv)); }
