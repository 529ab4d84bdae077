#include "package/package_cursor.h"

#include <algorithm>

namespace thld {

namespace {
constexpr std::size_t kWindowSize = 64 * 1024;
}  // namespace

PackageCursor::PackageCursor(std::string_view bytes) : memory_(bytes), size_(bytes.size()) {}

PackageCursor::PackageCursor(const InputFile& file) : file_(&file), size_(file.Length()) {}

void PackageCursor::Seek(std::uint64_t offset)
{
    if (offset > size_)
        throw PastTheEnd{};
    offset_ = offset;
}

const std::uint8_t* PackageCursor::Take(std::size_t count)
{
    if (count > size_ - offset_)
        throw PastTheEnd{};
    const std::uint64_t at = offset_;
    offset_ += count;
    if (!file_)
        return reinterpret_cast<const std::uint8_t*>(memory_.data()) + at;
    if (at < windowStart_ || at + count > windowStart_ + window_.size()) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(std::max(count, kWindowSize), size_ - at));
        window_.resize(wanted);
        window_.resize(file_->ReadAt(at, window_.data(), wanted));
        windowStart_ = at;
        if (window_.size() < count)  // the file shrank since it was opened
            throw PastTheEnd{};
    }
    return reinterpret_cast<const std::uint8_t*>(window_.data()) + (at - windowStart_);
}

std::uint8_t PackageCursor::Byte() { return *Take(1); }

std::uint16_t PackageCursor::Uint16()
{
    const std::uint8_t* b = Take(2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t PackageCursor::Uint32()
{
    const std::uint8_t* b = Take(4);
    return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
}

std::optional<std::int32_t> PackageCursor::CompactIndex()
{
    const std::uint8_t first = Byte();
    std::uint64_t value = first & 0x3F;
    bool more = (first & 0x40) != 0;
    for (int shift = 6, count = 1; more; shift += 7, ++count) {
        if (count == 5)
            return std::nullopt;
        const std::uint8_t next = Byte();
        value |= std::uint64_t(next & 0x7F) << shift;
        more = (next & 0x80) != 0;
    }
    if (value > 0x7FFFFFFF)
        return std::nullopt;
    const auto magnitude = static_cast<std::int32_t>(value);
    return (first & 0x80) ? -magnitude : magnitude;
}

}  // namespace thld
