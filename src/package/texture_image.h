#pragma once
// The picture of a texture object of a package: the top mip of its mip maps, decoded to RGBA (four
// bytes a pixel, rows top to bottom) for the formats met in real maps: 8-bit palettised (P8, with
// the colours of its Palette object, which must lie in the same package), RGBA8 (stored as B, G, R,
// A) and DXT1 (BC1). Any other format is told as such, not decoded. Read as untrusted input: the
// texture's and the palette's properties and data within their objects' bytes, the mip's size
// weighed against its width and height, at most 2048 by 2048 pixels, a palette of 1 to 256 colours.

#include <cstdint>
#include <string>
#include <vector>

#include "package/package_exports.h"

namespace thld {

class PackageCursor;

inline constexpr std::uint32_t kLargestImageSide = 2048;

// The texture formats of the file format's Format property.
enum class TextureFormat : std::uint8_t {
    P8 = 0,
    RGBA7 = 1,
    RGB16 = 2,
    DXT1 = 3,
    RGB8 = 4,
    RGBA8 = 5,
};

struct DecodedImage {
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes
};

struct TextureReading {
    enum class Outcome {
        Decoded,
        FormatNotShown,  // a format other than P8, RGBA8 and DXT1
        Malformed,       // properties, mip or palette that the file can't hold or that don't agree
    };
    Outcome outcome = Outcome::Decoded;
    std::string reason;       // Malformed: what was wrong, and where
    std::uint8_t format = 0;  // the texture's Format (a TextureFormat for those known)
    DecodedImage image;       // Decoded: the picture
};

// Decodes the top mip of the texture `texture`, an export of the package read through `cursor`.
TextureReading ReadTextureImage(PackageCursor& cursor, const PackageContents& contents,
                                const std::vector<PackageExport>& exports, const PackageExport& texture);

// "P8", "RGBA7", "RGB16", "DXT1", "RGB8", "RGBA8", or "format N" for another.
std::string TextureFormatText(std::uint8_t format);

}  // namespace thld
