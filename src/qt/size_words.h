#pragma once
// Sizes as the window shows them: for people, in the core's one wording (cache/size_text.h:
// "564 KiB", "1.2 GiB"), and exactly, for tooltips ("577,536 bytes", in the user's locale).

#include <QString>

#include <cstdint>

namespace thld {

QString SizeForPeople(std::uint64_t bytes);
QString ExactBytes(std::uint64_t bytes);

}  // namespace thld
