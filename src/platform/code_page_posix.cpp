#include "platform/code_page.h"

namespace thld {

// Names here are the bytes the game wrote; one that is no UTF-8 was most likely written in Latin-1.
char32_t CharacterOfStrayByte(unsigned char byte) { return byte; }

std::string TextFromCodePage(std::string_view bytes) { return std::string(bytes); }

}  // namespace thld
