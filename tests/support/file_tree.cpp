#include "support/file_tree.h"

namespace thld::test {

void LayOut(const TempFolder& folder, const FileTree& tree)
{
    for (const auto& [path, bytes] : tree) {
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            folder.MakeFolder(path.substr(0, slash + 1));
        if (path.back() == '/')
            continue;
        std::string text = bytes;
        for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + folder.Path().size()))
            text.replace(at, 1, folder.Path());
        folder.Write(path, text);
    }
}

}  // namespace thld::test
