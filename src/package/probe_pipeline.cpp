#include "package/probe_pipeline.h"

#include <algorithm>
#include <utility>

#include "package/region_scan.h"
#include "platform/file.h"

namespace thld::probe {

Reader::Reader(const FilesToProbe& files, std::size_t readSize, Batch* first, HandOver handOver)
    : files_(files),
      folder_(files.folder),
      bounds_(readSize),
      batch_(first),
      handOver_(std::move(handOver)),
      readAhead_(files, folder_, readSize)
{}

void Reader::Run()
{
    for (std::size_t entry = 0; entry < files_.size(); ++entry) {
        took_ = {};
        source_ = InputFile::Source::NotKnown;
        ReadOne(entry);
        readAhead_.Took(entry, took_, source_);
    }
}

void Reader::RunSpan(std::size_t begin, std::size_t end)
{
    for (std::size_t entry = begin; entry < end; ++entry)
        ReadOne(entry);
}

void Reader::EndSpan()
{
    batch_->spanEnds = true;
    filesInBatch_ = 0;
    batch_ = handOver_(batch_, true);
}

void Reader::Flush()
{
    if (batch_)
        handOver_(std::exchange(batch_, nullptr), false);
}

std::uint8_t* Reader::Room(std::size_t bytes)
{
    auto needed = [&] { return batch_->used + RegionSearch::kRoomBefore + bytes + RegionSearch::kRoomAfter; };
    if (needed() > batch_->bytes.size() && !batch_->events.empty()) {
        filesInBatch_ = 0;
        batch_ = handOver_(batch_, true);
    }
    if (needed() > batch_->bytes.size())
        batch_->bytes.resize(std::max(needed(), kBatchBytes + kFirstReadSize + 1024));
    return batch_->bytes.data() + batch_->used + RegionSearch::kRoomBefore;
}

void Reader::Piece(std::size_t entry, const std::uint8_t* at, std::size_t length)
{
    Event piece;
    piece.type = Event::Type::Piece;
    piece.entry = entry;
    piece.offset = static_cast<std::size_t>(at - batch_->bytes.data());
    piece.length = length;
    batch_->events.push_back(piece);
    batch_->used = piece.offset + length + RegionSearch::kRoomAfter;
}

void Reader::Done(Event& done)
{
    batch_->events.push_back(std::move(done));
    if (batch_->used >= kBatchBytes || ++filesInBatch_ >= kBatchFiles) {
        filesInBatch_ = 0;
        batch_ = handOver_(batch_, true);
    }
}

void Reader::ReadOne(std::size_t entry)
{
    Event done;
    done.entry = entry;
    const FileToProbe& target = files_[entry];
    if (!target.open) {
        done.kind = kind::Unknown;
        Done(done);
        return;
    }
    // Only the disk's part is timed: the open and the first read, not a wait for the search.
    auto start = std::chrono::steady_clock::now();
    std::optional<InputFile> file = readAhead_.TakeOpened(entry);
    if (!file) {
        try {
            files_.NameOf(entry, name_);
            files_.PathOf(entry, path_);
            file.emplace(InputFile::OpenIn(folder_, name_, path_));
        } catch (const FileError& error) {
            done.notRegularFile = error.Cause() == FileErrorCause::NotRegularFile;
        }
    }
    took_ += std::chrono::steady_clock::now() - start;
    if (!target.classify) {
        done.kind = kind::Unknown;
        if (file) {
            done.fileLength = file->Length();
            done.modified = file->ModifiedTime();
        }
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
    start = std::chrono::steady_clock::now();
    const InputFile::Read read = file->ReadAtTellingSource(0, head, first);
    took_ += std::chrono::steady_clock::now() - start;
    source_ = read.source;
    const std::size_t got = read.count;
    done.kind = KindOfWindow(head, std::min(got, kKindWindowSize));
    // The rest of a warm file's tables is read in large reads: pages past them would only crowd out
    // other files' pages (a big cache does not fit in memory). A cold file's tables come faster
    // with the system's read-ahead.
    if (got == first && source_ == InputFile::Source::Memory)
        file->OnlyWhatIsAsked();
    start = std::chrono::steady_clock::now();
    done.summary = summaries_.Read(*file, head, got);
    took_ += std::chrono::steady_clock::now() - start;
    // A map or script package whose tables can't be read is searched for names instead.
    if (done.summary.tables != PackageTables::Read && (done.kind == kind::Map || done.kind == kind::Script)) {
        bounds_.Start(done.kind == kind::Script);
        RegionBounds::Step step = bounds_.Take(head, got, got < first);
        Piece(entry, head, step.inRegion);
        step = ReadRegion(
            *file, bounds_, step, got, [&](std::size_t bytes) { return Room(bytes); },
            [&](const std::uint8_t* piece, std::size_t length) { Piece(entry, piece, length); });
        done.searched = true;
        done.regionLength = step.regionLength;
    }
    done.fileLength = file->Length();
    done.modified = file->ModifiedTime();
    Done(done);
}

Searcher::Searcher(const std::function<const NamePatterns&()>& patterns, const Take& take)
    : patterns_(patterns), take_(take)
{}

RegionSearch& Searcher::Search()
{
    if (!search_)
        search_.emplace(patterns_());
    return *search_;
}

void Searcher::Process(Batch& batch)
{
    RegionSearch& search = Search();
    for (Event& event : batch.events) {
        if (event.type == Event::Type::Piece) {
            // A file's pieces come one after the other, perhaps over several batches.
            if (!searching_ || current_ != event.entry) {
                search.Start();
                searching_ = true;
                current_ = event.entry;
            }
            search.Feed(batch.bytes.data() + event.offset, event.length);
            continue;
        }
        FileProbe probe{event.kind,   event.fileLength,     event.modified,
                        std::nullopt, event.notRegularFile, std::move(event.summary)};
        if (event.searched) {
            if (!searching_ || current_ != event.entry)
                search.Start();
            probe.found = search.Finish(event.regionLength);
        }
        searching_ = false;
        take_(event.entry, std::move(probe));
    }
}

}  // namespace thld::probe
