#pragma once
// A small map made for tests in the real format (file version 69): a LevelInfo with a state frame,
// a title, an author and a player count, and a screenshot texture of one mip in the format asked
// for (a TextureFormat number), with a palette of four colours (black, red, green, blue) for P8.

#include <cstdint>
#include <string>

namespace thld::test {

std::string MadeMapBytes(std::uint8_t format, std::uint32_t width, std::uint32_t height, const std::string& mip);

}  // namespace thld::test
