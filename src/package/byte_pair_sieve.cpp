#include "package/byte_pair_sieve.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define THLD_HAVE_AVX2_PATH 1
#endif

namespace thld::detail {

#ifdef THLD_HAVE_AVX2_PATH
namespace {

// CollectCandidates' sieve on 32 positions at a time; compiled for AVX2 and called only where the
// processor says it has it.
__attribute__((target("avx2,bmi,popcnt"))) std::size_t CollectWide(const std::uint8_t* bytes, std::size_t from,
                                                                   std::size_t to, ByteRange first, ByteRange second,
                                                                   std::uint32_t* out)
{
    std::size_t count = 0;
    std::size_t at = from;
    const __m256i firstLow = _mm256_set1_epi8(static_cast<char>(first.low));
    const __m256i firstSpan = _mm256_set1_epi8(static_cast<char>(first.high - first.low));
    const __m256i secondLow = _mm256_set1_epi8(static_cast<char>(second.low));
    const __m256i secondSpan = _mm256_set1_epi8(static_cast<char>(second.high - second.low));
    for (; at + 64 <= to; at += 64) {
        std::uint64_t mask = 0;
        for (std::size_t half = 0; half < 2; ++half) {
            const std::uint8_t* p = bytes + at + 32 * half;
            __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
            __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
            __m256i a = _mm256_max_epu8(_mm256_sub_epi8(here, firstLow), firstSpan);
            __m256i b = _mm256_max_epu8(_mm256_sub_epi8(next, secondLow), secondSpan);
            __m256i both = _mm256_and_si256(_mm256_cmpeq_epi8(a, firstSpan), _mm256_cmpeq_epi8(b, secondSpan));
            mask |= std::uint64_t(static_cast<std::uint32_t>(_mm256_movemask_epi8(both))) << (32 * half);
        }
        auto base = static_cast<std::uint32_t>(at - from);
        auto found = static_cast<std::size_t>(_mm_popcnt_u64(mask));
        for (int i = 0; i < 8; ++i) {
            out[count + i] = base + static_cast<std::uint32_t>(_tzcnt_u64(mask));
            mask = _blsr_u64(mask);
        }
        for (std::size_t i = 8; i < found; ++i) {
            out[count + i] = base + static_cast<std::uint32_t>(_tzcnt_u64(mask));
            mask = _blsr_u64(mask);
        }
        count += found;
    }
    for (; at < to; ++at)
        if (first.Holds(bytes[at]) && second.Holds(bytes[at + 1]))
            out[count++] = static_cast<std::uint32_t>(at - from);
    return count;
}

}  // namespace

CollectFunction WideCollector()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("popcnt"))
        return CollectWide;
    return nullptr;
}
#else
CollectFunction WideCollector() { return nullptr; }
#endif

}  // namespace thld::detail
