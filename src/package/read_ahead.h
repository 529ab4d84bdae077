#pragma once
// Read-ahead for cold files: while the probe's reader takes the files one at a time, a few threads
// read the files it comes to next (the same bytes: the kind's window, the name and import tables,
// and a map's or script package's region where its tables can't be read), so that the disk has many reads in flight and
// the reader then finds the bytes in memory. They start only once the reader has found several files not in memory yet
// (where the system can't tell, files slow to come): on warm files nothing is started and nothing is read twice,
// however busy the processor. They stay at most kAhead files ahead of the reader, and never run where a second open of
// a file would make the reader's unshared open fail (Windows). Each file they read stays open for the reader, which
// takes it instead of opening the file again (on cold files the processor is busy with the disk's work, and an open and
// close is a good part of what the reader adds); a file the reader has passed is closed. Their failures are no one's
// concern: the reader opens such a file itself and meets the failure there.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "package/file_probe.h"
#include "package/package_summary.h"
#include "platform/file.h"

namespace thld::probe {

class ReadAhead {
public:
    static constexpr std::size_t kThreads = 48;
    static constexpr std::size_t kAhead = 192;
    // Where the system can't tell where a file's bytes came from: one whose open and first read
    // took longer than this was not in memory.
    static constexpr std::chrono::microseconds kSlow{250};
    // That many cold files among kColdWindow in a row start it: a warm cache has a cold file now
    // and then (a page the system let go, a read that had to wait for a lock), not several at once.
    static constexpr std::size_t kSlowFilesToStart = 4;
    static constexpr std::size_t kColdWindow = 64;
    // The threads end once they have found this many files in a row in memory already (where the
    // system tells): the cold part of the cache is behind, and reading ahead would read twice.
    static constexpr std::size_t kWarmToEnd = 256;
    // A cold file's first bytes read ahead at once: most regions of maps and script packages.
    static constexpr std::size_t kWillNeedBytes = 48 * 1024;

    // `folder` is files.folder, held by the reader.
    ReadAhead(const FilesToProbe& files, const HeldFolder& folder, std::size_t readSize);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The reader has taken files[entry], in `took`, its first bytes from `source`; it goes on with
    // the next one.
    void Took(std::size_t entry, std::chrono::steady_clock::duration took, InputFile::Source source);
    // files[entry], opened and read by a thread; nothing when none has it ready. Only the reader
    // asks, before it opens the file.
    std::optional<InputFile> TakeOpened(std::size_t entry);

private:
    void Start();
    void Run();
    struct Scratch {
        std::vector<std::uint8_t> bytes;
        SummaryReader summaries;
        std::string name;
        std::string path;
    };
    // Opens and reads files[entry]: the file, with where its first bytes came from; nothing when it
    // is not to be opened or can't be.
    std::optional<InputFile> ReadOne(std::size_t entry, Scratch& scratch, InputFile::Source& source) const;
    // Keeps a file read ahead for the reader, unless it has passed it.
    void Hold(std::size_t entry, InputFile&& file);

    struct Opened {
        std::size_t entry = 0;
        std::optional<InputFile> file;
    };

    const FilesToProbe& files_;
    const HeldFolder& folder_;
    std::size_t readSize_;
    std::size_t slowFiles_ = 0;             // cold files since windowStart_
    std::size_t windowStart_ = 0;           // the first file of the current window
    std::atomic<std::size_t> readerAt_{0};  // the first file the reader has not taken yet
    std::atomic<std::size_t> next_{0};      // the next file for a read-ahead thread
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> warmInARow_{0};  // files the threads found in memory, in a row
    std::atomic<bool> ended_{false};          // the threads end: the files ahead are warm
    std::mutex openedMutex_;
    std::vector<Opened> opened_;  // files[e] in opened_[e % kAhead]
    std::vector<std::thread> threads_;
};

}  // namespace thld::probe
