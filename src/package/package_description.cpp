#include "package/package_description.h"

#include "package/object_properties.h"
#include "package/package_cursor.h"
#include "package/package_exports.h"
#include "platform/code_page.h"

namespace thld {

namespace {

// The export of the map's LevelInfo: the first object of that class.
const PackageExport* LevelInfoOf(const PackageContents& contents, const std::vector<PackageExport>& exports)
{
    for (const PackageExport& object : exports) {
        const std::optional<std::string_view> className = ClassNameOf(contents, exports, object);
        if (className && EqualIgnoringAsciiCase(*className, "LevelInfo"))
            return &object;
    }
    return nullptr;
}

std::string TextOf(const std::vector<ObjectProperty>& properties, std::string_view name)
{
    if (const ObjectProperty* p = FindProperty(properties, name, ObjectProperty::Type::Str))
        return p->text;
    if (const ObjectProperty* p = FindProperty(properties, name, ObjectProperty::Type::String))
        return p->text;
    return {};
}

// The outermost package of an import, by its outers (each one import further up; bounded by the
// table's size, as a malformed table may loop).
std::string OutermostPackageOf(const PackageContents& contents, std::size_t import)
{
    for (std::size_t step = 0; step <= contents.imports.size(); ++step) {
        const std::int32_t outer = contents.imports[import].outer;
        if (outer >= 0 || std::uint64_t(-std::int64_t(outer)) > contents.imports.size())
            return contents.imports[import].objectName;
        import = static_cast<std::size_t>(-std::int64_t(outer) - 1);
    }
    return contents.imports[import].objectName;
}

void DescribeScreenshot(PackageCursor& cursor, const PackageContents& contents,
                        const std::vector<PackageExport>& exports, ObjectReference reference, ScreenshotWanted wanted,
                        ScreenshotFacts& screenshot)
{
    const std::optional<std::string_view> name = ReferencedName(contents, exports, reference);
    if (!name) {
        screenshot.state = ScreenshotFacts::State::None;
        return;
    }
    screenshot.texture = std::string(*name);
    if (reference < 0) {
        screenshot.state = ScreenshotFacts::State::InOtherPackage;
        screenshot.package = OutermostPackageOf(contents, static_cast<std::size_t>(-std::int64_t(reference) - 1));
        return;
    }
    if (wanted == ScreenshotWanted::No) {
        screenshot.state = ScreenshotFacts::State::NotRead;
        return;
    }
    TextureReading texture =
        ReadTextureImage(cursor, contents, exports, exports[static_cast<std::size_t>(reference - 1)]);
    screenshot.format = texture.format;
    switch (texture.outcome) {
    case TextureReading::Outcome::Decoded:
        screenshot.state = ScreenshotFacts::State::Shown;
        screenshot.image = std::move(texture.image);
        break;
    case TextureReading::Outcome::FormatNotShown:
        screenshot.state = ScreenshotFacts::State::FormatNotShown;
        break;
    case TextureReading::Outcome::Malformed:
        screenshot.state = ScreenshotFacts::State::Unreadable;
        screenshot.reason = std::move(texture.reason);
        break;
    }
}

template <typename Source>
PackageDescription Describe(const Source& source, ScreenshotWanted wanted)
{
    PackageDescription description;
    const PackageReading reading = ReadPackage(source);
    description.header = reading.contents.header;
    if (reading.outcome != PackageReading::Outcome::Read) {
        description.outcome = PackageDescription::Outcome::Unreadable;
        description.packageOutcome = reading.outcome;
        description.reason = reading.reason;
        return description;
    }
    const PackageContents& contents = reading.contents;
    description.importCount = contents.imports.size();
    description.importedPackages = ImportedPackages(contents);

    const ExportReading exports = ReadExports(source, contents);
    if (exports.outcome != ExportReading::Outcome::Read) {
        description.outcome = PackageDescription::Outcome::BadExports;
        description.reason = exports.reason;
        return description;
    }
    description.exportCount = exports.exports.size();
    const PackageExport* levelInfo = LevelInfoOf(contents, exports.exports);
    if (!levelInfo)
        return description;

    PackageCursor cursor(source);
    const PropertyReading properties = ReadProperties(cursor, contents, *levelInfo);
    if (properties.outcome != PropertyReading::Outcome::Read) {
        description.outcome = PackageDescription::Outcome::BadLevelInfo;
        description.reason = properties.reason;
        return description;
    }
    const std::vector<ObjectProperty>& found = properties.properties;
    description.level = LevelFacts{TextOf(found, "Title"), TextOf(found, "Author"), TextOf(found, "IdealPlayerCount"),
                                   TextOf(found, "LevelEnterText")};
    if (const ObjectProperty* shot = FindProperty(found, "Screenshot", ObjectProperty::Type::Object))
        DescribeScreenshot(cursor, contents, exports.exports, static_cast<ObjectReference>(shot->number), wanted,
                           description.screenshot);
    return description;
}

}  // namespace

PackageDescription DescribePackage(std::string_view bytes, ScreenshotWanted screenshot)
{
    return Describe(bytes, screenshot);
}

PackageDescription DescribePackage(const InputFile& file, ScreenshotWanted screenshot)
{
    return Describe(file, screenshot);
}

}  // namespace thld
