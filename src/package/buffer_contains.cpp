#include "package/buffer_contains.h"

#include <algorithm>
#include <cstring>

namespace thld {

bool BufferContains(const std::uint8_t* buffer, std::size_t length, std::string_view name)
{
    if (length <= name.size() || name.find('\0') != std::string_view::npos)
        return false;
    if (name.empty())
        return true;
    const std::uint8_t* end = buffer + (length - 1);  // one past the last allowed end of a match
    const auto* first = reinterpret_cast<const std::uint8_t*>(name.data());
    return std::search(buffer, end, first, first + name.size()) != end;
}

}  // namespace thld
