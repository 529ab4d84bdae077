#pragma once
// The kinds of package the tests lay into made-up caches, as text (a listing's PackageItem::kind
// and the fixtures take them so): the one home of these names for every test.

#include <string>

#include "package/package_kind.h"

namespace thld::test {

inline const std::string kMap{kind::Map};
inline const std::string kScript{kind::Script};
inline const std::string kTex{kind::Textures};

}  // namespace thld::test
