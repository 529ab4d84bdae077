#include "package/object_properties.h"

#include <cstring>

#include "package/package_cursor.h"
#include "platform/code_page.h"

namespace thld {

namespace {

struct Refused {
    PropertyReading::Outcome outcome;
    std::string reason;
};

std::string At(std::uint64_t offset) { return " at offset " + std::to_string(offset); }

// The cursor's reads, weighed against the end of the object's bytes.
class ObjectBytes {
public:
    ObjectBytes(PackageCursor& cursor, const PackageExport& object)
        : cursor_(cursor), end_(object.serialOffset + object.serialSize)
    {
        cursor_.Seek(object.serialOffset);
    }
    std::uint64_t Offset() const { return cursor_.Offset(); }
    std::uint64_t Left() const { return end_ - cursor_.Offset(); }
    void Need(std::uint64_t count) const
    {
        if (cursor_.Offset() > end_ || count > end_ - cursor_.Offset())
            throw Refused{PropertyReading::Outcome::Truncated,
                          "a property" + At(cursor_.Offset()) + " runs past the end of its object"};
    }
    std::uint8_t Byte()
    {
        Need(1);
        return cursor_.Byte();
    }
    std::uint16_t Uint16()
    {
        Need(2);
        return cursor_.Uint16();
    }
    std::uint32_t Uint32()
    {
        Need(4);
        return cursor_.Uint32();
    }
    std::int32_t Index()
    {
        const std::uint64_t start = cursor_.Offset();
        Need(1);
        const std::optional<std::int32_t> index = cursor_.CompactIndex();
        Need(0);
        if (!index)
            throw Refused{PropertyReading::Outcome::BadProperty, "an unreadable index" + At(start)};
        return *index;
    }
    void Skip(std::uint64_t count)
    {
        Need(count);
        cursor_.Seek(cursor_.Offset() + count);
    }

private:
    PackageCursor& cursor_;
    std::uint64_t end_;
};

const std::string& NameAt(const PackageContents& contents, std::int32_t index, std::uint64_t start)
{
    if (index < 0 || static_cast<std::size_t>(index) >= contents.names.size())
        throw Refused{PropertyReading::Outcome::BadProperty,
                      "a property" + At(start) + " names no entry of the name table"};
    return contents.names[static_cast<std::size_t>(index)];
}

// A Str value: its length, then as many characters (negative: two bytes each), the NUL last.
std::string StrValue(ObjectBytes& bytes)
{
    const std::int32_t length = bytes.Index();
    const bool wide = length < 0;
    const std::uint64_t count = wide ? std::uint64_t(-std::int64_t(length)) : std::uint64_t(length);
    bytes.Need(count * (wide ? 2 : 1));
    std::string text;
    if (!wide) {
        std::string raw;
        raw.reserve(count);
        for (std::uint64_t i = 0; i < count; ++i)
            raw.push_back(static_cast<char>(bytes.Byte()));
        raw.resize(raw.find('\0') == std::string::npos ? raw.size() : raw.find('\0'));
        return TextFromCodePage(raw);
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const char32_t c = bytes.Uint16();
        if (c == 0)
            break;
        if (c >= 0xD800 && c < 0xE000)
            text += "\xEF\xBF\xBD";  // half of a pair: the replacement character
        else if (c < 0x80)
            text.push_back(static_cast<char>(c));
        else if (c < 0x800) {
            text.push_back(static_cast<char>(0xC0 | (c >> 6)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            text.push_back(static_cast<char>(0xE0 | (c >> 12)));
            text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return text;
}

void ReadValue(ObjectBytes& bytes, const PackageContents& contents, ObjectProperty& property, std::uint64_t size,
               std::uint64_t start)
{
    const std::uint64_t valueStart = bytes.Offset();
    bytes.Need(size);
    switch (property.type) {
    case ObjectProperty::Type::Byte:
        property.number = bytes.Byte();
        break;
    case ObjectProperty::Type::Int:
        if (size != 4)
            throw Refused{PropertyReading::Outcome::BadProperty,
                          "the int " + property.name + At(start) + " is not 4 bytes long"};
        property.number = static_cast<std::int32_t>(bytes.Uint32());
        break;
    case ObjectProperty::Type::Float: {
        if (size != 4)
            throw Refused{PropertyReading::Outcome::BadProperty,
                          "the float " + property.name + At(start) + " is not 4 bytes long"};
        const std::uint32_t raw = bytes.Uint32();
        std::memcpy(&property.real, &raw, sizeof raw);
        break;
    }
    case ObjectProperty::Type::Object:
    case ObjectProperty::Type::Class:
        property.number = bytes.Index();
        break;
    case ObjectProperty::Type::Name:
        property.text = NameAt(contents, bytes.Index(), start);
        break;
    case ObjectProperty::Type::Str:
        property.text = StrValue(bytes);
        break;
    case ObjectProperty::Type::String: {
        std::string raw;
        for (std::uint64_t i = 0; i < size; ++i)
            raw.push_back(static_cast<char>(bytes.Byte()));
        raw.resize(raw.find('\0') == std::string::npos ? raw.size() : raw.find('\0'));
        property.text = TextFromCodePage(raw);
        break;
    }
    default:
        break;
    }
    if (bytes.Offset() - valueStart > size)
        throw Refused{PropertyReading::Outcome::BadProperty,
                      "the value of " + property.name + At(start) + " is longer than its tag says"};
    bytes.Skip(size - (bytes.Offset() - valueStart));
}

void ReadList(ObjectBytes& bytes, const PackageContents& contents, const PackageExport& object,
              PropertyReading& reading)
{
    if (object.flags & kObjectHasStack) {
        const std::int32_t node = bytes.Index();
        bytes.Index();  // the state's node
        bytes.Skip(8);  // the probe mask
        bytes.Skip(4);  // the latent action
        if (node != 0)
            bytes.Index();  // the offset in the code
    }
    for (;;) {
        const std::uint64_t start = bytes.Offset();
        const std::string& name = NameAt(contents, bytes.Index(), start);
        if (EqualIgnoringAsciiCase(name, "None"))
            break;
        ObjectProperty property;
        property.name = name;
        const std::uint8_t info = bytes.Byte();
        const std::uint8_t type = info & 0x0F;
        if (type == 0)
            throw Refused{PropertyReading::Outcome::BadProperty, "the property " + name + At(start) + " has no type"};
        property.type = static_cast<ObjectProperty::Type>(type);
        if (property.type == ObjectProperty::Type::Struct)
            NameAt(contents, bytes.Index(), start);  // the struct's name
        static constexpr std::uint64_t kSizes[] = {1, 2, 4, 12, 16};
        const std::uint8_t sizeCode = (info >> 4) & 0x07;
        std::uint64_t size = sizeCode < 5 ? kSizes[sizeCode] : 0;
        if (sizeCode == 5)
            size = bytes.Byte();
        else if (sizeCode == 6)
            size = bytes.Uint16();
        else if (sizeCode == 7)
            size = bytes.Uint32();
        const bool arrayFlag = (info & 0x80) != 0;
        if (property.type == ObjectProperty::Type::Bool) {
            property.number = arrayFlag ? 1 : 0;
            size = 0;
        } else if (arrayFlag) {
            const std::uint8_t first = bytes.Byte();
            if ((first & 0x80) == 0)
                property.arrayIndex = first;
            else if ((first & 0xC0) == 0x80)
                property.arrayIndex = (std::uint32_t(first & 0x7F) << 8) | bytes.Byte();
            else {
                std::uint32_t index = first & 0x3F;
                for (int i = 0; i < 3; ++i)
                    index = (index << 8) | bytes.Byte();
                property.arrayIndex = index;
            }
        }
        if (size > bytes.Left())
            throw Refused{PropertyReading::Outcome::Truncated, "the property " + name + At(start) + " of " +
                                                                   std::to_string(size) +
                                                                   " bytes runs past the end of its object"};
        ReadValue(bytes, contents, property, size, start);
        reading.properties.push_back(std::move(property));
    }
    reading.dataOffset = bytes.Offset();
}

}  // namespace

PropertyReading ReadProperties(PackageCursor& cursor, const PackageContents& contents, const PackageExport& object)
{
    PropertyReading reading;
    try {
        try {
            ObjectBytes bytes(cursor, object);
            ReadList(bytes, contents, object, reading);
        } catch (const PackageCursor::PastTheEnd&) {
            throw Refused{PropertyReading::Outcome::Truncated,
                          "a property" + At(cursor.Offset()) + " runs past the end of the file"};
        }
    } catch (Refused& refused) {
        reading.outcome = refused.outcome;
        reading.reason = "the object " + object.objectName + ": " + refused.reason;
        reading.properties.clear();
    }
    return reading;
}

const ObjectProperty* FindProperty(const std::vector<ObjectProperty>& properties, std::string_view name,
                                   ObjectProperty::Type type)
{
    for (const ObjectProperty& property : properties)
        if (property.arrayIndex == 0 && property.type == type && EqualIgnoringAsciiCase(property.name, name))
            return &property;
    return nullptr;
}

}  // namespace thld
