#include "support/file_tree.h"

namespace thld::test {

void LayOut(const TempFolder& folder, const FileTree& tree)
{
    for (const auto& [path, bytes] : tree) {
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            folder.MakeFolder(path.substr(0, slash + 1));
        if (path.back() != '/')
            folder.Write(path, bytes);
    }
}

}  // namespace thld::test
