#include "cli/png_file.h"

#include "platform/file.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace thld::cli {

namespace {

void Append(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

void WritePngFile(const std::string& path, const DecodedImage& image)
{
    std::string png;
    const int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
    if (!stbi_write_png_to_func(Append, &png, width, height, 4, image.rgba.data(), width * 4))
        throw FileError(FileErrorCause::Other, path);
    OutputFile file = OutputFile::Create(path, OutputFile::Mode::CreateNew);
    file.Write(png);
    file.Close();
}

}  // namespace thld::cli
