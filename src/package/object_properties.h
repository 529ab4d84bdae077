#pragma once
// The properties an object of a package carries before its own data: the tagged list of this file
// format (each tag a name, a type byte, a size and perhaps an array index, the list ended by the
// name "None"), after the frame of its state code where the object has one. Strings, names, ints,
// bytes, bools, floats and object references are kept; every other type is passed over by its
// size. Read as untrusted input: nothing is read outside the object's own bytes, each tag takes at
// least one byte so the list ends, and a malformed tag is refused with a reason.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "package/package_exports.h"

namespace thld {

class PackageCursor;

struct ObjectProperty {
    enum class Type : std::uint8_t {
        Byte = 1,
        Int = 2,
        Bool = 3,
        Float = 4,
        Object = 5,
        Name = 6,
        String = 7,  // a fixed-length string of older files
        Class = 8,
        Array = 9,
        Struct = 10,
        Vector = 11,
        Rotator = 12,
        Str = 13,
        Map = 14,
        FixedArray = 15,
    };
    std::string name;
    Type type = Type::Int;
    std::uint32_t arrayIndex = 0;
    // Byte, Int, Bool (0 or 1) and Object or Class (an ObjectReference).
    std::int64_t number = 0;
    float real = 0;  // Float
    // String and Str as the program's text (code_page.h); Name: the name.
    std::string text;
};

struct PropertyReading {
    enum class Outcome {
        Read,
        Truncated,    // a tag or a value runs past the end of the object's bytes
        BadProperty,  // a tag naming nothing in the name table, or a value that is not what its tag says
    };
    Outcome outcome = Outcome::Read;
    std::string reason;  // for a refusal: what was wrong, and where
    std::vector<ObjectProperty> properties;
    std::uint64_t dataOffset = 0;  // where the object's own data begins, after the list
};

// The properties of `object`, read through `cursor` (over the package's bytes).
PropertyReading ReadProperties(PackageCursor& cursor, const PackageContents& contents, const PackageExport& object);

// The first property of that name (in any case of letters) and array index 0, of that type.
const ObjectProperty* FindProperty(const std::vector<ObjectProperty>& properties, std::string_view name,
                                   ObjectProperty::Type type);

}  // namespace thld
