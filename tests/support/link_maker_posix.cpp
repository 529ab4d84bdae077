#include <unistd.h>

#include "support/link_maker.h"

namespace thld::test {

bool MakeFileLink(const std::string& link, const std::string& target)
{
    return ::symlink(target.c_str(), link.c_str()) == 0;
}

bool RunningUnderWine() { return false; }

}  // namespace thld::test
