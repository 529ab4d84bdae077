#include <cerrno>

#include "platform/registry.h"

namespace thld {

bool HasRegistry() { return false; }

RegistryString ReadRegistryString(RegistryHive, RegistryView, const std::string&, const std::string&)
{
    RegistryString read;
    read.result = RegistryString::Result::NoKey;
    read.error = ENOENT;
    return read;
}

std::vector<std::string> RegistrySubkeys(RegistryHive, RegistryView, const std::string&) { return {}; }

unsigned long WriteRegistryString(RegistryHive, RegistryView, const std::string&, const std::string&,
                                  const std::string&)
{
    return ENOSYS;
}

}  // namespace thld
