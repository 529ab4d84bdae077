#include "package/package_kind.h"

#include <array>

#include "package/buffer_contains.h"
#include "platform/file.h"

namespace thld {

namespace {

struct KindRule {
    std::array<std::string_view, 3> names;
    PackageKind label;
};

// Tried in this order, every time; a later success replaces an earlier one's label.
constexpr std::array<KindRule, 3> kRules{{
    {{"PointRegion", "Location", "Level"}, kind::Map},
    {{"InternalTime", "None", "Color"}, kind::Textures},
    {{"Engine", "System", "Core"}, kind::Script},
}};

}  // namespace

PackageKind KindOfWindow(const unsigned char* window, std::size_t length)
{
    PackageKind label = kind::UnknownType;
    for (const KindRule& rule : kRules) {
        bool all = true;
        for (std::string_view name : rule.names) {
            if (!BufferContains(window, length, name)) {
                all = false;
                break;
            }
        }
        if (all)
            label = rule.label;
    }
    return label;
}

PackageKind GetPackageKind(const std::string& cacheFolder, const std::string& key)
{
    if (key.empty())
        return kind::Unknown;
    auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, key));
    if (!file)
        return kind::NotAvailable;
    std::array<unsigned char, kKindWindowSize> window{};
    std::size_t got = file->ReadAt(0, window.data(), window.size());
    return KindOfWindow(window.data(), got);
}

}  // namespace thld
