#include "package/cached_file_probe.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "package/region_search.h"
#include "platform/file.h"

namespace thld {

namespace {

// The first read takes the kind's window and, for a map or script package, the start of its
// region (the whole of most script packages' regions): a few KiB more cost less than a read.
// It is never longer than the later reads, so that small test reads stay small.
constexpr std::size_t kFirstReadSize = 4 * 1024;
// The reader hands a batch over once it holds this many bytes; three batches go round.
constexpr std::size_t kBatchBytes = 512 * 1024;
constexpr std::size_t kBatchCount = 3;

// What the reader found, in order: the pieces of a searched file's region, then the file's answer.
struct Event {
    enum class Type : std::uint8_t { Piece, Done };
    Type type = Type::Done;
    std::size_t entry = 0;
    std::size_t offset = 0;  // Piece: where its bytes lie in the batch
    std::size_t length = 0;
    PackageKind kind = kind::Unknown;  // Done
    std::optional<std::uint64_t> fileLength;
    bool searched = false;
    std::uint64_t regionLength = 0;
};

struct Batch {
    std::vector<std::uint8_t> bytes;
    std::size_t used = 0;
    std::vector<Event> events;
    void Clear()
    {
        used = 0;
        events.clear();
    }
};

// Hands a batch over; gives the batch to fill next (when another is wanted).
using HandOver = std::function<Batch*(Batch* full, bool another)>;

// Opens and reads the files in order, writing the pieces and answers into batches.
class Reader {
public:
    Reader(const std::string& cacheFolder, const std::vector<std::string>& keys, std::size_t readSize,
           Batch* first, HandOver handOver)
        : cacheFolder_(cacheFolder), keys_(keys), bounds_(readSize), batch_(first), handOver_(std::move(handOver))
    {
    }

    void Run()
    {
        for (std::size_t entry = 0; entry < keys_.size(); ++entry)
            ReadOne(entry);
    }
    // Hands over what the batch holds, as the last one.
    void Flush()
    {
        if (batch_)
            handOver_(std::exchange(batch_, nullptr), false);
    }

private:
    std::uint8_t* Room(std::size_t bytes)
    {
        auto needed = [&] { return batch_->used + RegionSearch::kRoomBefore + bytes + RegionSearch::kRoomAfter; };
        if (needed() > batch_->bytes.size() && !batch_->events.empty())
            batch_ = handOver_(batch_, true);
        if (needed() > batch_->bytes.size())
            batch_->bytes.resize(std::max(needed(), kBatchBytes + kFirstReadSize + 1024));
        return batch_->bytes.data() + batch_->used + RegionSearch::kRoomBefore;
    }
    void Piece(std::size_t entry, const std::uint8_t* at, std::size_t length)
    {
        Event piece;
        piece.type = Event::Type::Piece;
        piece.entry = entry;
        piece.offset = static_cast<std::size_t>(at - batch_->bytes.data());
        piece.length = length;
        batch_->events.push_back(piece);
        batch_->used = piece.offset + length + RegionSearch::kRoomAfter;
    }
    void Done(const Event& done)
    {
        batch_->events.push_back(done);
        if (batch_->used >= kBatchBytes)
            batch_ = handOver_(batch_, true);
    }

    void ReadOne(std::size_t entry)
    {
        Event done;
        done.entry = entry;
        const std::string& key = keys_[entry];
        auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder_, key));
        if (key.empty()) {
            // The kind needs no file; the size is that of the file the empty key names.
            done.kind = kind::Unknown;
            if (file)
                done.fileLength = file->Length();
            Done(done);
            return;
        }
        if (!file) {
            done.kind = kind::NotAvailable;
            Done(done);
            return;
        }
        const std::size_t first = std::clamp(bounds_.ReadSize(), kKindWindowSize, kFirstReadSize);
        std::uint8_t* head = Room(first);
        std::size_t got = file->ReadAt(0, head, first);
        done.kind = KindOfWindow(head, std::min(got, kKindWindowSize));
        if (done.kind == kind::Map || done.kind == kind::Script) {
            bounds_.Start(done.kind == kind::Script);
            RegionBounds::Step step = bounds_.Take(head, got, got < first);
            Piece(entry, head, step.inRegion);
            std::uint64_t offset = got;
            while (!step.ended) {
                std::size_t wanted = bounds_.NextReadSize();
                std::uint8_t* piece = Room(wanted);
                got = file->ReadAt(offset, piece, wanted);
                offset += got;
                step = bounds_.Take(piece, got, got < wanted);  // a short read happens only at the end
                Piece(entry, piece, step.inRegion);
            }
            done.searched = true;
            done.regionLength = step.regionLength;
        }
        done.fileLength = file->Length();
        Done(done);
    }

    const std::string& cacheFolder_;
    const std::vector<std::string>& keys_;
    RegionBounds bounds_;
    Batch* batch_;
    HandOver handOver_;
};

// Searches the pieces of each batch and gives the answers, in order.
class Searcher {
public:
    Searcher(const std::function<const NamePatterns&()>& patterns,
             const std::function<void(std::size_t, CachedFileProbe&&)>& take)
        : patterns_(patterns), take_(take)
    {
    }

    // Asks for the patterns, if that was not done yet.
    RegionSearch& Search()
    {
        if (!search_)
            search_.emplace(patterns_());
        return *search_;
    }

    void Process(Batch& batch)
    {
        RegionSearch& search = Search();
        for (const Event& event : batch.events) {
            if (event.type == Event::Type::Piece) {
                if (!searching_ || current_ != event.entry) {
                    search.Start();
                    searching_ = true;
                    current_ = event.entry;
                }
                search.Feed(batch.bytes.data() + event.offset, event.length);
                continue;
            }
            CachedFileProbe probe{event.kind, event.fileLength, std::nullopt};
            if (event.searched) {
                if (!searching_ || current_ != event.entry)
                    search.Start();
                probe.found = search.Finish(event.regionLength);
            }
            searching_ = false;
            take_(event.entry, std::move(probe));
        }
    }

private:
    const std::function<const NamePatterns&()>& patterns_;
    std::optional<RegionSearch> search_;
    const std::function<void(std::size_t, CachedFileProbe&&)>& take_;
    bool searching_ = false;
    std::size_t current_ = 0;
};

void ProbeOnOneThread(const std::string& cacheFolder, const std::vector<std::string>& keys, std::size_t readSize,
                      Searcher& searcher)
{
    Batch batch;
    // Each batch is searched as soon as it is handed over; it is emptied even when that fails, so
    // that nothing is given twice.
    auto handOver = [&](Batch* full, bool) {
        struct Emptied {
            Batch& batch;
            ~Emptied() { batch.Clear(); }
        } emptied{*full};
        searcher.Process(*full);
        return full;
    };
    Reader reader(cacheFolder, keys, readSize, &batch, handOver);
    try {
        reader.Run();
    } catch (...) {
        reader.Flush();  // the answers for the files before the failing one
        throw;
    }
    reader.Flush();
}

// The reader on its own thread, the search on the calling one; they meet at a queue of batches.
class Exchange {
public:
    struct Stopped {};

    Exchange() : batches_(kBatchCount)
    {
        for (std::size_t i = 1; i < batches_.size(); ++i)
            empty_.push_back(&batches_[i]);
    }
    Batch* First() { return &batches_[0]; }

    // Reader's side.
    Batch* HandOver(Batch* full, bool another)
    {
        std::unique_lock lock(mutex_);
        full_.push_back(full);
        if (searcherWaits_ || !another)
            changed_.notify_all();
        if (!another)
            return nullptr;
        if (!stop_ && empty_.empty()) {
            readerWaits_ = true;
            changed_.wait(lock, [&] { return stop_ || !empty_.empty(); });
            readerWaits_ = false;
        }
        if (stop_)
            throw Stopped{};
        Batch* next = empty_.front();
        empty_.pop_front();
        return next;
    }
    void ReaderEnded(std::exception_ptr error)
    {
        std::lock_guard lock(mutex_);
        error_ = std::move(error);
        readerEnded_ = true;
        changed_.notify_all();
    }

    // Searcher's side: the next full batch, or nullptr when the reader has ended and all are taken.
    Batch* NextFull()
    {
        std::unique_lock lock(mutex_);
        if (!readerEnded_ && full_.empty()) {
            searcherWaits_ = true;
            changed_.wait(lock, [&] { return readerEnded_ || !full_.empty(); });
            searcherWaits_ = false;
        }
        if (full_.empty())
            return nullptr;
        Batch* next = full_.front();
        full_.pop_front();
        return next;
    }
    void Return(Batch* batch)
    {
        batch->Clear();
        std::lock_guard lock(mutex_);
        empty_.push_back(batch);
        if (readerWaits_)
            changed_.notify_all();
    }
    void Stop()
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        changed_.notify_all();
    }
    std::exception_ptr Error()
    {
        std::lock_guard lock(mutex_);
        return error_;
    }

private:
    std::vector<Batch> batches_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch*> full_;
    std::deque<Batch*> empty_;
    bool readerEnded_ = false;
    bool stop_ = false;
    // Each side wakes the other only when it waits: most hand-overs then cost no system call.
    bool readerWaits_ = false;
    bool searcherWaits_ = false;
    std::exception_ptr error_;
};

struct ThreadRefused {};

void ProbeOnTwoThreads(const std::string& cacheFolder, const std::vector<std::string>& keys, std::size_t readSize,
                       Searcher& searcher)
{
    Exchange exchange;
    auto readAll = [&] {
        std::exception_ptr error;
        try {
            Reader reader(cacheFolder, keys, readSize, exchange.First(),
                          [&](Batch* full, bool another) { return exchange.HandOver(full, another); });
            try {
                reader.Run();
            } catch (const Exchange::Stopped&) {
                throw;
            } catch (...) {
                error = std::current_exception();
            }
            reader.Flush();
        } catch (const Exchange::Stopped&) {
        } catch (...) {
            if (!error)
                error = std::current_exception();
        }
        exchange.ReaderEnded(error);
    };
    std::thread thread;
    try {
        thread = std::thread(readAll);
    } catch (const std::system_error&) {
        throw ThreadRefused{};
    }
    // However the search ends, the reader is told to stop and waited for.
    struct Join {
        Exchange& exchange;
        std::thread& thread;
        ~Join()
        {
            exchange.Stop();
            thread.join();
        }
    } join{exchange, thread};

    searcher.Search();  // the patterns are made while the first files are read
    while (Batch* batch = exchange.NextFull()) {
        searcher.Process(*batch);
        exchange.Return(batch);
    }
    if (std::exception_ptr error = exchange.Error())
        std::rethrow_exception(error);
}

}  // namespace

void ProbeCachedFiles(const std::string& cacheFolder, const std::vector<std::string>& keys, std::size_t readSize,
                      const std::function<const NamePatterns&()>& patterns,
                      const std::function<void(std::size_t, CachedFileProbe&&)>& take, ProbeThreads threads)
{
    Searcher searcher(patterns, take);
    bool two = threads == ProbeThreads::Two ||
               (threads == ProbeThreads::Auto && keys.size() > 1 && std::thread::hardware_concurrency() > 1);
    if (two) {
        try {
            ProbeOnTwoThreads(cacheFolder, keys, readSize, searcher);
            return;
        } catch (const ThreadRefused&) {
            // No second thread to be had: the calling thread does it all.
        }
    }
    ProbeOnOneThread(cacheFolder, keys, readSize, searcher);
}

}  // namespace thld
