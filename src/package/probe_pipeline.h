#pragma once
// The two halves of probing the cached files: the reader, which opens and reads the files in order
// and writes what it read into batches, and the searcher, which searches the batches and gives
// each file's answer. They run one after the other on one thread, on two threads that hand the
// batches over (file_probe.cpp), or as several readers, each reading spans of the files, and one
// searcher that takes the spans in order (parallel_probe.cpp).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "package/file_probe.h"
#include "package/name_patterns.h"
#include "package/package_summary.h"
#include "package/read_ahead.h"
#include "package/region_end.h"
#include "package/region_search.h"
#include "platform/file.h"

namespace thld::probe {

// The reader hands a batch over once it holds this many bytes, or answers for this many files
// (most files give the search no bytes: their tables were read).
inline constexpr std::size_t kBatchBytes = 512 * 1024;
inline constexpr std::size_t kBatchFiles = 64;

// The first read takes the kind's window and, for a map or script package, the start of its
// region (the whole of most script packages' regions): a few KiB more cost less than a read.
// It is never longer than the later reads, so that small test reads stay small.
inline constexpr std::size_t kFirstReadSize = 4 * 1024;

// What the reader found, in order: the pieces of a searched file's region, then the file's answer.
struct Event {
    enum class Type : std::uint8_t {
        Piece,
        Done
    };
    Type type = Type::Done;
    std::size_t entry = 0;
    std::size_t offset = 0;  // Piece: where its bytes lie in the batch
    std::size_t length = 0;
    PackageKind kind = kind::Unknown;  // Done
    bool notRegularFile = false;
    std::optional<std::uint64_t> fileLength;
    std::int64_t modified = 0;
    bool searched = false;
    std::uint64_t regionLength = 0;
    PackageSummary summary;
};

struct Batch {
    std::vector<std::uint8_t> bytes;
    std::size_t used = 0;
    std::vector<Event> events;
    bool spanEnds = false;  // the last batch of a span (Reader::EndSpan)
    void Clear()
    {
        used = 0;
        events.clear();
        spanEnds = false;
    }
};

// Hands a batch over; gives the batch to fill next (when another is wanted).
using HandOver = std::function<Batch*(Batch* full, bool another)>;

// Opens and reads the files in order, writing the pieces and answers into batches.
class Reader {
public:
    Reader(const FilesToProbe& files, std::size_t readSize, Batch* first, HandOver handOver);

    // Reads every file; a failed read raises FileError, with the batch holding what came before.
    void Run();
    // Reads files [begin, end) in the same way, without reading ahead; a batch never holds more
    // than one span: EndSpan hands over the last one, marked so.
    void RunSpan(std::size_t begin, std::size_t end);
    void EndSpan();
    // Hands over what the batch holds, as the last one.
    void Flush();

private:
    std::uint8_t* Room(std::size_t bytes);
    void Piece(std::size_t entry, const std::uint8_t* at, std::size_t length);
    void Done(Event& done);
    void ReadOne(std::size_t entry);

    const FilesToProbe& files_;
    HeldFolder folder_;  // files_.folder, whose files are opened by name
    std::string name_;   // of the file being read
    std::string path_;
    RegionBounds bounds_;
    SummaryReader summaries_;
    Batch* batch_;
    std::size_t filesInBatch_ = 0;  // answers in the batch being filled
    HandOver handOver_;
    std::chrono::steady_clock::duration took_{};              // the disk's part of the file being read
    InputFile::Source source_ = InputFile::Source::NotKnown;  // where its first bytes came from
    ReadAhead readAhead_;                                     // last: its threads end before the rest goes
};

// Makes a reader and gives it to `work` on a reader's thread, then hands over what its batch holds,
// however the work ended. Gives the error it raised, for the search to raise once the answers
// before it are given; nothing when it ended well or was stopped (`Stopped`, raised by the hand-over
// when the search has ended).
template <typename Stopped, typename Work>
std::exception_ptr RunReader(const FilesToProbe& files, std::size_t readSize, Batch* first, HandOver handOver,
                             Work&& work)
{
    std::exception_ptr error;
    try {
        Reader reader(files, readSize, first, std::move(handOver));
        try {
            work(reader);
        } catch (const Stopped&) {
            throw;
        } catch (...) {
            error = std::current_exception();
        }
        reader.Flush();
    } catch (const Stopped&) {
    } catch (...) {
        if (!error)
            error = std::current_exception();
    }
    return error;
}

// Searches the pieces of each batch and gives the answers, in order.
class Searcher {
public:
    using Take = std::function<void(std::size_t, FileProbe&&)>;
    Searcher(const std::function<const NamePatterns&()>& patterns, const Take& take);

    // Asks for the patterns, if that was not done yet.
    RegionSearch& Search();
    void Process(Batch& batch);

private:
    const std::function<const NamePatterns&()>& patterns_;
    std::optional<RegionSearch> search_;
    const Take& take_;
    bool searching_ = false;
    std::size_t current_ = 0;
};

}  // namespace thld::probe
