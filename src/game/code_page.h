#pragma once
// Text is 8-bit in the system code page. Where that code page has two-byte characters, a byte may
// only be read as a character of its own when it does not follow a lead byte.

namespace thld {

using LeadByteTest = bool (*)(unsigned char byte);

// The system code page's rule: true for the first byte of a two-byte character.
bool IsSystemLeadByte(unsigned char byte);

// For single-byte code pages (and tests).
inline bool NoLeadBytes(unsigned char) { return false; }

}  // namespace thld
