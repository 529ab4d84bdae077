#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace thld {

// True when `name` occurs in the first `length` bytes of `buffer` at a start position 0 .. length -
// name.size() - 1: a name whose last byte would be the buffer's last byte is not found. The bytes
// must be equal exactly (case counts), and a zero byte in the compared span never matches.
bool BufferContains(const std::uint8_t* buffer, std::size_t length, std::string_view name);

}  // namespace thld
