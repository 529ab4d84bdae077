#pragma once
// A decoded picture written as a PNG file, by stb_image_write (Debian's libstb-dev, header-only, so
// that the Windows build takes it too). The file is created new: an existing file or link at the
// path is left alone and the write fails with FileError, as does any failed write.

#include <string>

#include "package/texture_image.h"

namespace thld::cli {

void WritePngFile(const std::string& path, const DecodedImage& image);

}  // namespace thld::cli
