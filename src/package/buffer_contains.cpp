#include "package/buffer_contains.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define THLD_HAVE_SSE2 1
#endif

namespace thld {

bool BufferContains(const std::uint8_t* buffer, std::size_t length, std::string_view name)
{
    if (length <= name.size() || name.find('\0') != std::string_view::npos)
        return false;
    if (name.empty())
        return true;
    const auto* first = reinterpret_cast<const std::uint8_t*>(name.data());
    const std::size_t last = name.size() - 1;
    const std::size_t starts = length - name.size();  // start positions 0 .. starts - 1
    std::size_t at = 0;
#ifdef THLD_HAVE_SSE2
    // Sixteen start positions at a time: those whose first and last bytes both match are compared
    // whole. A block's loads reach at most its last start + last, which lies below starts + last.
    const __m128i head = _mm_set1_epi8(static_cast<char>(first[0]));
    const __m128i tail = _mm_set1_epi8(static_cast<char>(first[last]));
    for (; at + 16 <= starts; at += 16) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buffer + at));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buffer + at + last));
        auto mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, head), _mm_cmpeq_epi8(b, tail))));
        for (; mask != 0; mask &= mask - 1) {
            std::size_t start = at + static_cast<std::size_t>(std::countr_zero(mask));
            if (std::memcmp(buffer + start, first, name.size()) == 0)
                return true;
        }
    }
#endif
    const std::uint8_t* end = buffer + starts;
    return std::search(buffer + at, end + last, first, first + name.size()) != end + last;
}

}  // namespace thld
