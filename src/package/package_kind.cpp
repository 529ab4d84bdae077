#include "package/package_kind.h"

#include <algorithm>
#include <array>

#include "package/buffer_contains.h"
#include "platform/file.h"

namespace thld {

namespace {

struct KindRule {
    std::array<std::string_view, 3> names;
    PackageKind label;
};

// Tried in this order; a later success replaces an earlier one's label.
constexpr std::array<KindRule, 3> kRules{{
    {{"PointRegion", "Location", "Level"}, kind::Map},
    {{"InternalTime", "None", "Color"}, kind::Textures},
    {{"Engine", "System", "Core"}, kind::Script},
}};

}  // namespace

PackageKind KindOfWindow(const unsigned char* window, std::size_t length)
{
    // The last rule that holds gives the label: asked from the last rule back, the first that
    // holds is the answer.
    for (auto rule = kRules.rbegin(); rule != kRules.rend(); ++rule) {
        bool all = std::all_of(rule->names.begin(), rule->names.end(),
                               [&](std::string_view name) { return BufferContains(window, length, name); });
        if (all)
            return rule->label;
    }
    return kind::UnknownType;
}

PackageKind KindOfFile(const std::string& path)
{
    auto file = InputFile::OpenUnshared(path);
    if (!file)
        return kind::NotAvailable;
    std::array<unsigned char, kKindWindowSize> window{};
    std::size_t got = file->ReadAt(0, window.data(), window.size());
    return KindOfWindow(window.data(), got);
}

}  // namespace thld
