#include "cli/word_suggestion.h"

#include <algorithm>
#include <cctype>

namespace thld::cli {

namespace {

// Edits from one word to the other, a swap of two neighbours counting as one (longer words than a
// command line holds are not compared).
std::size_t Distance(const std::string& a, const std::string& b)
{
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<std::size_t>> d(n + 1, std::vector<std::size_t>(m + 1));
    for (std::size_t i = 0; i <= n; ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= m; ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t change =
                std::tolower(static_cast<unsigned char>(a[i - 1])) == std::tolower(static_cast<unsigned char>(b[j - 1]))
                    ? 0
                    : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[n][m];
}

}  // namespace

std::optional<std::string> NearestWord(const std::string& word, const std::vector<std::string>& names)
{
    constexpr std::size_t kLongest = 64;
    if (word.empty() || word.size() > kLongest)
        return std::nullopt;
    std::optional<std::string> nearest;
    std::size_t best = std::max<std::size_t>(1, word.size() / 3) + 1;
    // A word of a letter or two is near every short name: none is offered for it.
    for (const std::string& name : word.size() > 2 ? names : std::vector<std::string>{}) {
        const std::size_t distance = Distance(word, name);
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    if (nearest)
        return nearest;
    const std::string bare =
        word.substr(word.find_first_not_of('-') == std::string::npos ? 0 : word.find_first_not_of('-'));
    if (bare.size() < 3)
        return std::nullopt;
    std::vector<std::string> starting;
    for (const std::string& name : names)
        if (name.starts_with(word))
            starting.push_back(name);
    if (starting.size() == 1)
        return starting[0];
    return std::nullopt;
}

}  // namespace thld::cli
