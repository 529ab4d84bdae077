#pragma once
// The kind and the length of every file of a list, each from one unshared open, with the scan
// regions of the map and script packages searched through the same open.
//
// The files are read in order by one reader; the search of what it read runs beside it, on a
// second thread where the processor has more than one core, so that probing takes about as long
// as reading the bytes does. The reader is never more than a few hundred KiB ahead of the search.
// On cold files, threads of read_ahead.h read the files the reader comes to next. On Windows,
// where each open and close of a file is a long way round (file-system filters; Wine's server),
// several readers have files on their way at once (parallel_probe.h).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/name_patterns.h"
#include "package/package_kind.h"
#include "package/package_summary.h"
#include "package/region_end.h"

namespace thld {

struct FileToProbe {
    // The file is the list's folder + name + suffix: a listing of many files keeps one folder, not
    // a path per file. The name's bytes belong to the caller and stay put while the probe runs.
    std::string_view name;
    // False when only the file's length is wanted: its kind is then "Unknown" and nothing of it is
    // read.
    bool classify = true;
    // False when the path must not be opened at all: the kind is then "Unknown", with no length.
    bool open = true;
};

struct FilesToProbe {
    std::string folder;
    std::string suffix;
    std::vector<FileToProbe> files;

    std::size_t size() const { return files.size(); }
    const FileToProbe& operator[](std::size_t i) const { return files[i]; }
    // Writes the path of files[i] into `path`, which keeps its memory from one file to the next.
    void PathOf(std::size_t i, std::string& path) const { path.assign(folder).append(files[i].name).append(suffix); }
    // The same for the name of files[i] in the folder.
    void NameOf(std::size_t i, std::string& name) const { name.assign(files[i].name).append(suffix); }
    std::string PathOf(std::size_t i) const
    {
        std::string path;
        PathOf(i, path);
        return path;
    }
};

struct FileProbe {
    PackageKind kind;                     // what KindOfFile gives for the path
    std::optional<std::uint64_t> length;  // the file's length when it was opened, if it was
    std::int64_t modified = 0;            // and when it was last written (InputFile::ModifiedTime)
    // For a "Map" or "Script" package whose tables can't be read: the numbers of the patterns found
    // in its region, each once, in the order found; nothing for any other file.
    std::optional<std::vector<std::size_t>> found;
    // True when the path names something other than a regular file (a FIFO, a device, a folder): it
    // was not read, and its kind is "File Not Available".
    bool notRegularFile = false;
    // What its tables say of it: for every classified file that was opened.
    PackageSummary summary;
};

enum class ProbeThreads {
    Auto,     // Several on Windows where there is more than a span of files, else Two where there is a
              // second core, else One
    One,      // everything on the calling thread
    Two,      // always a second thread
    Several,  // readers on threads of their own (parallel_probe.h)
};

// For every file in order: its kind as KindOfFile gives it ("File Not Available" when it can't be
// opened), from the same handle its length, the time it was last written and its tables' summary
// (package_summary.h), and for a "Map" or "Script" package whose tables can't be read the
// patterns in its region, in reads of `readSize` bytes after the first. `patterns` is called once, on the calling
// thread, for the patterns to look for; it may take its time, as the reading has begun.
// `take(i, probe)` receives the answer for files[i], in order, on the calling thread. A read that
// fails after an open raises FileError once the answers for the files before it have been given;
// with one reader nothing is opened after the failing file, with several nothing after it is
// answered.
void ProbeFiles(const FilesToProbe& files, std::size_t readSize, const std::function<const NamePatterns&()>& patterns,
                const std::function<void(std::size_t, FileProbe&&)>& take, ProbeThreads threads = ProbeThreads::Auto);

}  // namespace thld
