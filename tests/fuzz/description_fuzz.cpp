// The package description on any bytes: the export table, the LevelInfo's properties and the
// screenshot's texture and palette are read within the bytes, an image is never larger than
// 2048 by 2048 and holds four bytes a pixel, and from memory and from a file the answer is the same.

#include <cstdint>
#include <string>

#include "fuzz_folder.h"
#include "package/package_description.h"

namespace thld::fuzz {
namespace {

void CheckOneInput(std::string_view bytes)
{
    const PackageDescription description = DescribePackage(bytes, ScreenshotWanted::Yes);
    Require((description.outcome == PackageDescription::Outcome::Read) == description.reason.empty(),
            "a reason for each refusal");
    const ScreenshotFacts& shot = description.screenshot;
    Require((shot.state == ScreenshotFacts::State::Unreadable) == !shot.reason.empty(),
            "a reason for an unreadable screenshot");
    if (shot.state == ScreenshotFacts::State::Shown) {
        Require(shot.image.width >= 1 && shot.image.width <= kLargestImageSide && shot.image.height >= 1 &&
                    shot.image.height <= kLargestImageSide,
                "an image within its bounds");
        Require(shot.image.rgba.size() == std::size_t(shot.image.width) * shot.image.height * 4, "four bytes a pixel");
    } else {
        Require(shot.image.rgba.empty(), "no pixels without a picture");
    }
    if (description.level || shot.state != ScreenshotFacts::State::None)
        Require(description.exportCount.has_value(), "a level only from a read export table");

    const std::string path = FuzzFolder() + "description.unr";
    WriteBytes(path, bytes);
    auto file = InputFile::OpenUnshared(path);
    Require(file.has_value(), "the written file opens");
    const PackageDescription fromFile = DescribePackage(*file, ScreenshotWanted::Yes);
    Require(fromFile.outcome == description.outcome && fromFile.reason == description.reason &&
                fromFile.exportCount == description.exportCount && fromFile.screenshot.state == shot.state &&
                fromFile.screenshot.reason == shot.reason && fromFile.screenshot.image.rgba == shot.image.rgba &&
                (fromFile.level ? fromFile.level->title : "-") == (description.level ? description.level->title : "-"),
            "the file reads as the memory does");
}

}  // namespace
}  // namespace thld::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    thld::fuzz::CheckOneInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
