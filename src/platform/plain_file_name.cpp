#include "platform/plain_file_name.h"

#include <algorithm>
#include <string>

#include "platform/code_page.h"

namespace thld {

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Windows takes CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 for devices, whatever extension
// or trailing blanks follow them.
bool IsDeviceName(std::string_view name)
{
    std::string base = UpperAsciiText(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || IsDeviceName(name))
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\\' || c == '/' || c == ':' || IsControl(c); });
}

}  // namespace thld
