#include "package/parallel_probe.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/thread_wait.h"

namespace thld::probe {

namespace {

// Two batches each: a reader fills one while the search takes the other.
constexpr std::size_t kBatchesPerLane = 2;

class Lanes {
public:
    struct Stopped {};

    Lanes(std::size_t spans, std::size_t readers) : laneOf_(spans), lanes_(readers)
    {
        for (Lane& lane : lanes_) {
            lane.batches.resize(kBatchesPerLane);
            for (std::size_t i = 1; i < lane.batches.size(); ++i)
                lane.empty.push_back(&lane.batches[i]);
        }
    }
    Batch* First(std::size_t lane) { return &lanes_[lane].batches[0]; }
    std::size_t Spans() const { return laneOf_.size(); }

    // Readers' side. The next span for the lane to read, or nothing once all are taken or the
    // search has stopped.
    std::optional<std::size_t> TakeSpan(std::size_t lane)
    {
        std::lock_guard lock(mutex_);
        if (stop_ || nextSpan_ == laneOf_.size())
            return std::nullopt;
        laneOf_[nextSpan_] = lane;
        if (searcherWaits_)
            changed_.notify_all();
        return nextSpan_++;
    }
    Batch* HandOver(std::size_t lane, Batch* full, bool another)
    {
        Lane& own = lanes_[lane];
        std::unique_lock lock(mutex_);
        own.full.push_back(full);
        if (searcherWaits_)
            changed_.notify_all();
        if (!another)
            return nullptr;
        if (!stop_ && own.empty.empty()) {
            ++readersWaiting_;
            changed_.wait(lock, [&] { return stop_ || !own.empty.empty(); });
            --readersWaiting_;
        }
        if (stop_)
            throw Stopped{};
        Batch* next = own.empty.front();
        own.empty.pop_front();
        return next;
    }
    void Ended(std::size_t lane, std::exception_ptr error)
    {
        std::lock_guard lock(mutex_);
        lanes_[lane].ended = true;
        lanes_[lane].error = error;
        if (error && !firstError_)
            firstError_ = error;
        ++ended_;
        changed_.notify_all();
    }

    // Search's side: the next batch of the span and its lane. Raises the error of the reader that
    // failed in it, or of any reader when all ended with the span not taken.
    std::pair<Batch*, std::size_t> Next(std::size_t span)
    {
        std::unique_lock lock(mutex_);
        auto ready = [&] {
            if (span >= nextSpan_)
                return ended_ == lanes_.size();
            const Lane& lane = lanes_[*laneOf_[span]];
            return !lane.full.empty() || lane.ended;
        };
        if (!ready()) {
            searcherWaits_ = true;
            changed_.wait(lock, ready);
            searcherWaits_ = false;
        }
        if (span >= nextSpan_)
            Rethrow(firstError_);
        const std::size_t number = *laneOf_[span];
        Lane& lane = lanes_[number];
        if (lane.full.empty())
            Rethrow(lane.error);
        Batch* batch = lane.full.front();
        lane.full.pop_front();
        return {batch, number};
    }
    void Return(std::size_t lane, Batch* batch)
    {
        batch->Clear();
        std::lock_guard lock(mutex_);
        lanes_[lane].empty.push_back(batch);
        if (readersWaiting_ > 0)
            changed_.notify_all();
    }
    void Stop()
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        changed_.notify_all();
    }

private:
    struct Lane {
        std::vector<Batch> batches;
        std::deque<Batch*> full;
        std::deque<Batch*> empty;
        bool ended = false;
        std::exception_ptr error;
    };

    [[noreturn]] static void Rethrow(std::exception_ptr error)
    {
        if (error)
            std::rethrow_exception(error);
        // A reader ended without its span's last batch and without an error: it can't, but the
        // search must not wait for it.
        throw std::logic_error("a probe reader ended early");
    }

    std::vector<std::optional<std::size_t>> laneOf_;  // which lane read each span taken
    std::vector<Lane> lanes_;
    WaitLock mutex_;
    WaitCondition changed_;
    std::size_t nextSpan_ = 0;
    std::size_t ended_ = 0;
    bool stop_ = false;
    // Each side wakes the other only when it waits: most hand-overs then cost no system call.
    bool searcherWaits_ = false;
    std::size_t readersWaiting_ = 0;
    std::exception_ptr firstError_;
};

void ReadLane(const FilesToProbe& files, std::size_t readSize, Lanes& lanes, std::size_t lane)
{
    lanes.Ended(lane, RunReader<Lanes::Stopped>(
                          files, readSize, lanes.First(lane),
                          [&](Batch* full, bool another) { return lanes.HandOver(lane, full, another); },
                          [&](Reader& reader) {
                              while (std::optional<std::size_t> span = lanes.TakeSpan(lane)) {
                                  const std::size_t begin = *span * kSpanFiles;
                                  reader.RunSpan(begin, std::min(begin + kSpanFiles, files.size()));
                                  reader.EndSpan();
                              }
                          }));
}

}  // namespace

void ProbeOnSeveralThreads(const FilesToProbe& files, std::size_t readSize, Searcher& searcher, std::size_t readers)
{
    Lanes lanes((files.size() + kSpanFiles - 1) / kSpanFiles, readers);
    std::vector<std::thread> threads;
    // However the search ends, the readers are told to stop and waited for.
    struct Join {
        Lanes& lanes;
        std::vector<std::thread>& threads;
        ~Join()
        {
            lanes.Stop();
            for (std::thread& thread : threads)
                thread.join();
        }
    } join{lanes, threads};
    for (std::size_t lane = 0; lane < readers; ++lane) {
        try {
            threads.emplace_back([&, lane] { ReadLane(files, readSize, lanes, lane); });
        } catch (const std::system_error&) {
            // The lanes without a thread take no span: those with one read them all.
            lanes.Ended(lane, nullptr);
        }
    }
    if (threads.empty())
        throw ThreadRefused{};

    searcher.Search();  // the patterns are made while the first files are read
    for (std::size_t span = 0; span < lanes.Spans(); ++span) {
        for (bool ends = false; !ends;) {
            auto [batch, lane] = lanes.Next(span);
            searcher.Process(*batch);
            ends = batch->spanEnds;
            lanes.Return(lane, batch);
        }
    }
}

}  // namespace thld::probe
