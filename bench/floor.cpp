#include "floor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "cache/cached_file.h"
#include "package/package_kind.h"
#include "platform/file.h"

namespace thld::bench {

namespace {

std::uint64_t ReadFloorFile(const std::string& cacheFolder, const LayoutLine& line, std::vector<std::uint8_t>& buffer)
{
    auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, line.key));
    if (!file)
        throw std::runtime_error("cannot open the cached file of " + line.key);
    std::size_t wanted = kKindWindowSize;
    if (line.kind != 'T')
        wanted = std::max<std::size_t>(wanted, static_cast<std::size_t>(line.region));
    if (buffer.size() < wanted)
        buffer.resize(wanted);
    return file->ReadAt(0, buffer.data(), wanted);
}

}  // namespace

std::uint64_t ReadFloor(const std::string& cacheFolder, const std::vector<LayoutLine>& layout)
{
    static std::vector<std::uint8_t> buffer;
    std::uint64_t total = 0;
    for (const LayoutLine& line : layout)
        total += ReadFloorFile(cacheFolder, line, buffer);
    return total;
}

std::uint64_t ReadFloorInFlight(const std::string& cacheFolder, const std::vector<LayoutLine>& layout,
                                std::size_t readers)
{
    std::atomic<std::size_t> next{0};
    std::atomic<std::uint64_t> total{0};
    std::mutex failedMutex;
    std::exception_ptr failed;
    auto read = [&] {
        std::vector<std::uint8_t> buffer;
        std::uint64_t mine = 0;
        try {
            for (std::size_t i = next++; i < layout.size(); i = next++)
                mine += ReadFloorFile(cacheFolder, layout[i], buffer);
        } catch (...) {
            std::lock_guard lock(failedMutex);
            failed = std::current_exception();
            next = layout.size();
        }
        total += mine;
    };
    std::vector<std::thread> pool;
    for (std::size_t r = 0; r < std::max<std::size_t>(readers, 1); ++r)
        pool.emplace_back(read);
    for (std::thread& thread : pool)
        thread.join();
    if (failed)
        std::rethrow_exception(failed);
    return total;
}

}  // namespace thld::bench
