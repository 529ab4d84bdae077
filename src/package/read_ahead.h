#pragma once
// Read-ahead for cold files: while the probe's reader takes the files one at a time, a few threads
// read the files it comes to next (the same bytes: the kind's window and a map's or script
// package's region), so that the disk has many reads in flight and the reader then finds the bytes
// in memory. They start only once the reader has found several files not in memory yet (where the
// system can't tell, files slow to come): on warm files nothing is started and nothing is read
// twice, however busy the processor. They stay at most kAhead files ahead of the reader, and never
// run where a second open of a file would make the reader's unshared open fail (Windows). What they
// read is thrown away; their failures are no one's concern.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

#include "package/file_probe.h"
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

    ReadAhead(const FilesToProbe& files, std::size_t readSize);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The reader has taken files[entry], in `took`, its first bytes from `source`; it goes on with
    // the next one.
    void Took(std::size_t entry, std::chrono::steady_clock::duration took, InputFile::Source source);

private:
    void Start();
    void Run();
    // Where the file's first bytes came from (NotKnown when it was not read).
    InputFile::Source ReadOne(std::size_t entry, std::vector<std::uint8_t>& scratch) const;

    const FilesToProbe& files_;
    std::size_t readSize_;
    std::size_t slowFiles_ = 0;             // cold files since windowStart_
    std::size_t windowStart_ = 0;           // the first file of the current window
    std::atomic<std::size_t> readerAt_{0};  // the first file the reader has not taken yet
    std::atomic<std::size_t> next_{0};      // the next file for a read-ahead thread
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> warmInARow_{0};  // files the threads found in memory, in a row
    std::atomic<bool> ended_{false};          // the threads end: the files ahead are warm
    std::vector<std::thread> threads_;
};

}  // namespace thld::probe
