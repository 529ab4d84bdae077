// The package reader on any bytes: it never reads past them, and from memory and from a file it
// gives the same answer; what it reads holds together.

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_folder.h"
#include "package/package_reader.h"

namespace thld::fuzz {
namespace {

void CheckOneInput(std::string_view bytes)
{
    const PackageReading reading = ReadPackage(bytes);
    const PackageContents& contents = reading.contents;
    Require((reading.outcome == PackageReading::Outcome::Read) == reading.reason.empty(), "a reason for each refusal");
    if (reading.outcome == PackageReading::Outcome::Read) {
        Require(contents.names.size() == contents.header.nameCount, "every name read");
        Require(contents.imports.size() == contents.header.importCount, "every import read");
        Require(!contents.header.guid || contents.header.guid->size() == 32, "a GUID of 32 digits");
        for (const std::string& package : ImportedPackages(contents))
            Require(std::find(contents.names.begin(), contents.names.end(), package) != contents.names.end(),
                    "imported packages are names of the table");
    } else {
        Require(contents.names.empty() && contents.imports.empty(), "nothing kept of a refused file");
    }

    const std::string path = FuzzFolder() + "package.u";
    WriteBytes(path, bytes);
    auto file = InputFile::OpenUnshared(path);
    Require(file.has_value(), "the written file opens");
    const PackageReading fromFile = ReadPackage(*file);
    Require(fromFile.outcome == reading.outcome && fromFile.reason == reading.reason &&
                fromFile.contents.names == contents.names && fromFile.contents.header.guid == contents.header.guid &&
                fromFile.contents.imports.size() == contents.imports.size(),
            "the file reads as the memory does");
}

}  // namespace
}  // namespace thld::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    thld::fuzz::CheckOneInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
