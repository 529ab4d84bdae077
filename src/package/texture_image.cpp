#include "package/texture_image.h"

#include <array>

#include "package/object_properties.h"
#include "package/package_cursor.h"

namespace thld {

namespace {

// From this file version on a mip's data is led by the offset of its end.
constexpr std::uint16_t kFirstVersionWithMipSkip = 63;
// Far more mips than a 2048-wide texture has; what a count may claim.
constexpr std::int32_t kMostMips = 16;
constexpr std::int32_t kMostPaletteColours = 256;

struct Refused {
    std::string reason;
};

std::string At(std::uint64_t offset) { return " at offset " + std::to_string(offset); }

std::int32_t Index(PackageCursor& cursor)
{
    const std::uint64_t start = cursor.Offset();
    const std::optional<std::int32_t> index = cursor.CompactIndex();
    if (!index)
        throw Refused{"an unreadable count" + At(start)};
    return *index;
}

// The palette's colours as R, G, B, A.
std::vector<std::array<std::uint8_t, 4>> ReadPalette(PackageCursor& cursor, const PackageContents& contents,
                                                     const std::vector<PackageExport>& exports,
                                                     ObjectReference reference)
{
    if (reference <= 0 || std::uint64_t(reference) > exports.size())
        throw Refused{"its palette is not an object of the package"};
    const PackageExport& palette = exports[static_cast<std::size_t>(reference - 1)];
    const PropertyReading properties = ReadProperties(cursor, contents, palette);
    if (properties.outcome != PropertyReading::Outcome::Read)
        throw Refused{properties.reason};
    const std::uint64_t end = palette.serialOffset + palette.serialSize;
    cursor.Seek(properties.dataOffset);
    const std::uint64_t start = cursor.Offset();
    const std::int32_t count = Index(cursor);
    if (count < 1 || count > kMostPaletteColours)
        throw Refused{"the palette " + palette.objectName + At(start) + " holds " + std::to_string(count) +
                      " colours, not 1 to 256"};
    if (cursor.Offset() > end || std::uint64_t(count) * 4 > end - cursor.Offset())
        throw Refused{"the palette " + palette.objectName + At(start) + " runs past the end of its object"};
    std::vector<std::array<std::uint8_t, 4>> colours(static_cast<std::size_t>(count));
    for (auto& colour : colours)
        for (std::uint8_t& channel : colour)
            channel = cursor.Byte();
    return colours;
}

std::uint64_t DataSize(TextureFormat format, std::uint32_t width, std::uint32_t height)
{
    switch (format) {
    case TextureFormat::P8:
        return std::uint64_t(width) * height;
    case TextureFormat::RGBA8:
        return std::uint64_t(width) * height * 4;
    case TextureFormat::DXT1:
        return std::uint64_t((width + 3) / 4) * ((height + 3) / 4) * 8;
    default:
        return 0;
    }
}

// A 16-bit colour of five, six and five bits, widened to eight.
std::array<std::uint32_t, 3> Rgb565(std::uint16_t c)
{
    const std::uint32_t r = (c >> 11) & 0x1F, g = (c >> 5) & 0x3F, b = c & 0x1F;
    return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

void DecodeDxt1(const std::string& data, DecodedImage& image)
{
    const std::uint32_t blocksWide = (image.width + 3) / 4, blocksHigh = (image.height + 3) / 4;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    for (std::uint32_t by = 0; by < blocksHigh; ++by)
        for (std::uint32_t bx = 0; bx < blocksWide; ++bx) {
            const std::uint8_t* block = bytes + (std::size_t(by) * blocksWide + bx) * 8;
            const auto c0 = static_cast<std::uint16_t>(block[0] | (block[1] << 8));
            const auto c1 = static_cast<std::uint16_t>(block[2] | (block[3] << 8));
            const auto a = Rgb565(c0), b = Rgb565(c1);
            std::array<std::array<std::uint8_t, 4>, 4> colours{};
            for (int k = 0; k < 3; ++k) {
                colours[0][k] = static_cast<std::uint8_t>(a[k]);
                colours[1][k] = static_cast<std::uint8_t>(b[k]);
                colours[2][k] = static_cast<std::uint8_t>(c0 > c1 ? (2 * a[k] + b[k]) / 3 : (a[k] + b[k]) / 2);
                colours[3][k] = static_cast<std::uint8_t>(c0 > c1 ? (a[k] + 2 * b[k]) / 3 : 0);
            }
            colours[0][3] = colours[1][3] = colours[2][3] = 255;
            colours[3][3] = c0 > c1 ? 255 : 0;
            const std::uint32_t bits = std::uint32_t(block[4]) | (std::uint32_t(block[5]) << 8) |
                                       (std::uint32_t(block[6]) << 16) | (std::uint32_t(block[7]) << 24);
            for (std::uint32_t y = 0; y < 4; ++y)
                for (std::uint32_t x = 0; x < 4; ++x) {
                    const std::uint32_t px = bx * 4 + x, py = by * 4 + y;
                    if (px >= image.width || py >= image.height)
                        continue;
                    const auto& colour = colours[(bits >> (2 * (y * 4 + x))) & 3];
                    std::uint8_t* out = &image.rgba[(std::size_t(py) * image.width + px) * 4];
                    for (int k = 0; k < 4; ++k)
                        out[k] = colour[k];
                }
        }
}

void Decode(PackageCursor& cursor, const PackageContents& contents, const std::vector<PackageExport>& exports,
            const PackageExport& texture, TextureReading& reading)
{
    const PropertyReading properties = ReadProperties(cursor, contents, texture);
    if (properties.outcome != PropertyReading::Outcome::Read)
        throw Refused{properties.reason};
    const ObjectProperty* format = FindProperty(properties.properties, "Format", ObjectProperty::Type::Byte);
    reading.format = format ? static_cast<std::uint8_t>(format->number) : 0;
    const auto known = static_cast<TextureFormat>(reading.format);
    if (known != TextureFormat::P8 && known != TextureFormat::RGBA8 && known != TextureFormat::DXT1) {
        reading.outcome = TextureReading::Outcome::FormatNotShown;
        return;
    }

    const std::uint64_t end = texture.serialOffset + texture.serialSize;
    cursor.Seek(properties.dataOffset);
    const std::uint64_t mipsStart = cursor.Offset();
    const std::int32_t mips = Index(cursor);
    if (mips < 1 || mips > kMostMips)
        throw Refused{"the texture " + texture.objectName + At(mipsStart) + " claims " + std::to_string(mips) +
                      " mip maps"};
    if (contents.header.fileVersion >= kFirstVersionWithMipSkip)
        cursor.Uint32();  // the offset of the mip's end
    const std::uint64_t sizeStart = cursor.Offset();
    const std::int32_t size = Index(cursor);
    if (size < 0 || cursor.Offset() > end || std::uint64_t(size) + 10 > end - cursor.Offset())
        throw Refused{"the top mip of " + texture.objectName + At(sizeStart) + " claims " + std::to_string(size) +
                      " bytes, more than its object holds"};
    const std::uint64_t dataStart = cursor.Offset();
    cursor.Seek(dataStart + std::uint64_t(size));
    const std::uint32_t width = cursor.Uint32(), height = cursor.Uint32();
    if (width == 0 || height == 0 || width > kLargestImageSide || height > kLargestImageSide)
        throw Refused{"the top mip of " + texture.objectName + " is " + std::to_string(width) + " by " +
                      std::to_string(height) + " pixels, not 1 to 2048 each way"};
    if (std::uint64_t(size) < DataSize(known, width, height))
        throw Refused{"the top mip of " + texture.objectName + " holds " + std::to_string(size) +
                      " bytes, fewer than " + std::to_string(width) + " by " + std::to_string(height) + " pixels need"};

    std::vector<std::array<std::uint8_t, 4>> palette;
    if (known == TextureFormat::P8) {
        const ObjectProperty* reference = FindProperty(properties.properties, "Palette", ObjectProperty::Type::Object);
        palette =
            ReadPalette(cursor, contents, exports, reference ? static_cast<ObjectReference>(reference->number) : 0);
    }
    std::string data(static_cast<std::size_t>(DataSize(known, width, height)), '\0');
    cursor.Seek(dataStart);
    for (char& byte : data)
        byte = static_cast<char>(cursor.Byte());

    DecodedImage& image = reading.image;
    image.width = width;
    image.height = height;
    image.rgba.assign(std::size_t(width) * height * 4, 0);
    if (known == TextureFormat::DXT1) {
        DecodeDxt1(data, image);
    } else if (known == TextureFormat::RGBA8) {
        for (std::size_t i = 0; i < std::size_t(width) * height; ++i) {
            image.rgba[i * 4 + 0] = static_cast<std::uint8_t>(data[i * 4 + 2]);
            image.rgba[i * 4 + 1] = static_cast<std::uint8_t>(data[i * 4 + 1]);
            image.rgba[i * 4 + 2] = static_cast<std::uint8_t>(data[i * 4 + 0]);
            image.rgba[i * 4 + 3] = static_cast<std::uint8_t>(data[i * 4 + 3]);
        }
    } else {
        for (std::size_t i = 0; i < data.size(); ++i) {
            const auto index = static_cast<std::uint8_t>(data[i]);
            if (index >= palette.size())
                throw Refused{"a pixel of " + texture.objectName + " takes colour " + std::to_string(index) +
                              " of a palette of " + std::to_string(palette.size())};
            // A picture's palette leaves alpha unused: every pixel is opaque.
            for (int k = 0; k < 3; ++k)
                image.rgba[i * 4 + k] = palette[index][k];
            image.rgba[i * 4 + 3] = 255;
        }
    }
}

}  // namespace

TextureReading ReadTextureImage(PackageCursor& cursor, const PackageContents& contents,
                                const std::vector<PackageExport>& exports, const PackageExport& texture)
{
    TextureReading reading;
    try {
        try {
            Decode(cursor, contents, exports, texture, reading);
        } catch (const PackageCursor::PastTheEnd&) {
            throw Refused{"the texture " + texture.objectName + ": a value" + At(cursor.Offset()) +
                          " runs past the end of the file"};
        }
    } catch (Refused& refused) {
        reading.outcome = TextureReading::Outcome::Malformed;
        reading.reason = std::move(refused.reason);
        reading.image = {};
    }
    return reading;
}

std::string TextureFormatText(std::uint8_t format)
{
    static constexpr const char* kNames[] = {"P8", "RGBA7", "RGB16", "DXT1", "RGB8", "RGBA8"};
    return format < std::size(kNames) ? kNames[format] : "format " + std::to_string(format);
}

}  // namespace thld
