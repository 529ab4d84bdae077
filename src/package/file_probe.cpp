#include "package/file_probe.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "package/parallel_probe.h"
#include "package/probe_pipeline.h"
#include "platform/thread_wait.h"

namespace thld {

namespace {

// Three batches go round between the reader and the search.
constexpr std::size_t kBatchCount = 3;

using probe::Batch;
using probe::Reader;
using probe::Searcher;
using probe::ThreadRefused;

// Readers where several read at once: more add little where Wine's one server answers them all.
constexpr std::size_t kSeveralReaders = 4;

#ifdef _WIN32
constexpr bool kSeveralReadersPay = true;
#else
constexpr bool kSeveralReadersPay = false;
#endif

void ProbeOnOneThread(const FilesToProbe& files, std::size_t readSize, Searcher& searcher)
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
    Reader reader(files, readSize, &batch, handOver);
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
    WaitLock mutex_;
    WaitCondition changed_;
    std::deque<Batch*> full_;
    std::deque<Batch*> empty_;
    bool readerEnded_ = false;
    bool stop_ = false;
    // Each side wakes the other only when it waits: most hand-overs then cost no system call.
    bool readerWaits_ = false;
    bool searcherWaits_ = false;
    std::exception_ptr error_;
};

void ProbeOnTwoThreads(const FilesToProbe& files, std::size_t readSize, Searcher& searcher)
{
    Exchange exchange;
    auto readAll = [&] {
        exchange.ReaderEnded(probe::RunReader<Exchange::Stopped>(
            files, readSize, exchange.First(),
            [&](Batch* full, bool another) { return exchange.HandOver(full, another); },
            [](Reader& reader) { reader.Run(); }));
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

void ProbeFiles(const FilesToProbe& files, std::size_t readSize, const std::function<const NamePatterns&()>& patterns,
                const std::function<void(std::size_t, FileProbe&&)>& take, ProbeThreads threads)
{
    Searcher searcher(patterns, take);
    const bool several = threads == ProbeThreads::Several ||
                         (threads == ProbeThreads::Auto && kSeveralReadersPay && files.size() > probe::kSpanFiles);
    if (several) {
        try {
            probe::ProbeOnSeveralThreads(files, readSize, searcher, kSeveralReaders);
            return;
        } catch (const ThreadRefused&) {
            // No thread to be had: one reader then.
        }
    }
    bool two = threads == ProbeThreads::Two ||
               (threads == ProbeThreads::Auto && files.size() > 1 && std::thread::hardware_concurrency() > 1);
    if (two) {
        try {
            ProbeOnTwoThreads(files, readSize, searcher);
            return;
        } catch (const ThreadRefused&) {
            // No second thread to be had: the calling thread does it all.
        }
    }
    ProbeOnOneThread(files, readSize, searcher);
}

}  // namespace thld
