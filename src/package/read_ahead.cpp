#include "package/read_ahead.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "package/package_kind.h"
#include "package/probe_pipeline.h"
#include "package/region_scan.h"
#include "platform/file.h"
#include "platform/file_error.h"

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

ReadAhead::ReadAhead(const FilesToProbe& files, const HeldFolder& folder, std::size_t readSize)
    : files_(files), folder_(folder), readSize_(readSize)
{}

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

std::optional<InputFile> ReadAhead::TakeOpened(std::size_t entry)
{
    if (threads_.empty())
        return std::nullopt;
    std::lock_guard lock(openedMutex_);
    Opened& slot = opened_[entry % opened_.size()];
    if (!slot.file || slot.entry != entry)
        return std::nullopt;
    return std::exchange(slot.file, std::nullopt);
}

void ReadAhead::Hold(std::size_t entry, InputFile&& file)
{
    std::optional<InputFile> closed;  // closed once the lock is let go
    std::lock_guard lock(openedMutex_);
    if (entry < readerAt_.load()) {
        closed.emplace(std::move(file));
        return;
    }
    Opened& slot = opened_[entry % opened_.size()];
    closed = std::exchange(slot.file, std::move(file));
    slot.entry = entry;
}

void ReadAhead::Start()
{
    next_ = readerAt_.load();
    opened_.resize(kAhead);
    try {
        for (std::size_t i = 0; i < kThreads; ++i)
            threads_.emplace_back([this] { Run(); });
    } catch (const std::system_error&) {
        // Fewer threads, or none: the reader reads alone.
    }
}

void ReadAhead::Run()
{
    Scratch scratch;
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
            InputFile::Source source = InputFile::Source::NotKnown;
            if (std::optional<InputFile> file = ReadOne(entry, scratch, source))
                Hold(entry, std::move(*file));
            if (source == InputFile::Source::Disk)
                warmInARow_ = 0;
            else if (source == InputFile::Source::Memory && ++warmInARow_ >= kWarmToEnd)
                ended_ = true;
        } catch (...) {
            // Only a hint: the reader meets the same failure and says so.
        }
    }
}

std::optional<InputFile> ReadAhead::ReadOne(std::size_t entry, Scratch& scratch, InputFile::Source& source) const
{
    const FileToProbe& target = files_[entry];
    if (!target.open || !target.classify)
        return std::nullopt;  // a key that names no file of the cache is never opened, not even ahead
    std::optional<InputFile> file;
    try {
        files_.NameOf(entry, scratch.name);
        files_.PathOf(entry, scratch.path);
        file.emplace(InputFile::OpenIn(folder_, scratch.name, scratch.path));
    } catch (const FileError&) {
        return std::nullopt;
    }
    RegionBounds bounds(readSize_);
    const std::size_t first = std::clamp(bounds.ReadSize(), kKindWindowSize, kFirstReadSize);
    scratch.bytes.resize(std::max(first, bounds.ReadSize()) + RegionSearch::kRoomAfter);
    file->WillNeed(0, kWillNeedBytes);  // most regions in one trip to the disk
    const InputFile::Read read = file->ReadAtTellingSource(0, scratch.bytes.data(), first);
    const std::size_t got = read.count;
    const PackageKind kind = KindOfWindow(scratch.bytes.data(), std::min(got, kKindWindowSize));
    source = read.source;
    if (scratch.summaries.Read(*file, scratch.bytes.data(), got).tables == PackageTables::Read ||
        (kind != kind::Map && kind != kind::Script))
        return file;
    bounds.Start(kind == kind::Script);
    RegionBounds::Step step = bounds.Take(scratch.bytes.data(), got, got < first);
    ReadRegion(
        *file, bounds, step, got,
        [&](std::size_t bytes) {
            if (scratch.bytes.size() < bytes)
                scratch.bytes.resize(bytes);
            return scratch.bytes.data();
        },
        [](const std::uint8_t*, std::size_t) {});
    return file;
}

}  // namespace thld::probe
