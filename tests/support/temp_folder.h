#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <string>
#include <string_view>

namespace thld::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending in the path separator.
    const std::string& Path() const { return path_; }
    // Path() + relative, with '/' in relative turned into the path separator.
    std::string operator/(std::string_view relative) const;

    void Write(std::string_view relative, std::string_view bytes) const;
    std::string Read(std::string_view relative) const;
    bool Exists(std::string_view relative) const;
    void MakeFolder(std::string_view relative) const;

private:
    std::string path_;
};

// A path of the program's text (UTF-8 on Windows) for the standard library, and back.
std::filesystem::path FsPath(const std::string& text);
std::string TextOfPath(const std::filesystem::path& path);

// Whole-file helpers on full paths.
void WriteFileBytes(const std::string& path, std::string_view bytes);
std::string ReadFileBytes(const std::string& path);

}  // namespace thld::test
