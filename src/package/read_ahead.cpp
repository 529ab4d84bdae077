#include "package/read_ahead.h"

#include <algorithm>
#include <system_error>

#include "package/package_kind.h"
#include "package/probe_batches.h"
#include "package/region_scan.h"
#include "platform/file.h"

namespace thld::probe {

namespace {
// On Windows a second open of a file held by an InputFile fails, and the reader's open would fail
// while a read-ahead thread held the file.
#ifdef _WIN32
constexpr bool kReadAheadCollides = true;
#else
constexpr bool kReadAheadCollides = false;
#endif
}  // namespace

ReadAhead::ReadAhead(const FilesToProbe& files, std::size_t readSize) : files_(files), readSize_(readSize) {}

ReadAhead::~ReadAhead()
{
    stop_ = true;
    readerAt_ = files_.size() + kAhead;
    readerAt_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void ReadAhead::Took(std::size_t entry, std::chrono::steady_clock::duration took, InputFile::Source source)
{
    if (kReadAheadCollides)
        return;
    // A busy processor makes warm files slow too: where the system tells, only the disk counts.
    const bool cold = source == InputFile::Source::Disk || (source == InputFile::Source::NotKnown && took > kSlow);
    if (!threads_.empty()) {
        readerAt_ = entry + 1;
        readerAt_.notify_all();  // no system call while no thread waits
    } else if (cold) {
        if (entry >= windowStart_ + kColdWindow) {
            windowStart_ = entry;
            slowFiles_ = 0;
        }
        if (++slowFiles_ < kSlowFilesToStart)
            return;
        readerAt_ = entry + 1;
        Start();
    }
}

void ReadAhead::Start()
{
    next_ = readerAt_.load();
    try {
        for (std::size_t i = 0; i < kThreads; ++i)
            threads_.emplace_back([this] { Run(); });
    } catch (const std::system_error&) {
        // Fewer threads, or none: the reader reads alone.
    }
}

void ReadAhead::Run()
{
    std::vector<std::uint8_t> scratch;
    while (!stop_ && !ended_) {
        std::size_t entry = next_++;
        if (entry >= files_.size())
            return;
        // Never more than kAhead files ahead of the reader; none that it has passed.
        for (std::size_t at = readerAt_.load(); entry >= at + kAhead && !stop_ && !ended_; at = readerAt_.load())
            readerAt_.wait(at);
        if (stop_ || ended_)
            return;
        if (entry < readerAt_.load())
            continue;
        try {
            const InputFile::Source source = ReadOne(entry, scratch);
            if (source == InputFile::Source::Disk)
                warmInARow_ = 0;
            else if (source == InputFile::Source::Memory && ++warmInARow_ >= kWarmToEnd)
                ended_ = true;
        } catch (...) {
            // Only a hint: the reader meets the same failure and says so.
        }
    }
}

InputFile::Source ReadAhead::ReadOne(std::size_t entry, std::vector<std::uint8_t>& scratch) const
{
    const FileToProbe& target = files_[entry];
    if (!target.open || !target.classify)
        return InputFile::Source::NotKnown;  // a key that names no file of the cache is never opened, not even ahead
    auto file = InputFile::OpenUnshared(files_.PathOf(entry));
    if (!file)
        return InputFile::Source::NotKnown;
    RegionBounds bounds(readSize_);
    const std::size_t first = std::clamp(bounds.ReadSize(), kKindWindowSize, kFirstReadSize);
    scratch.resize(std::max(first, bounds.ReadSize()) + RegionSearch::kRoomAfter);
    file->WillNeed(0, kWillNeedBytes);  // most regions in one trip to the disk
    const InputFile::Read read = file->ReadAtTellingSource(0, scratch.data(), first);
    const std::size_t got = read.count;
    const PackageKind kind = KindOfWindow(scratch.data(), std::min(got, kKindWindowSize));
    if (kind != kind::Map && kind != kind::Script)
        return read.source;
    bounds.Start(kind == kind::Script);
    RegionBounds::Step step = bounds.Take(scratch.data(), got, got < first);
    ReadRegion(
        *file, bounds, step, got,
        [&](std::size_t bytes) {
            if (scratch.size() < bytes)
                scratch.resize(bytes);
            return scratch.data();
        },
        [](const std::uint8_t*, std::size_t) {});
    return read.source;
}

}  // namespace thld::probe
