#pragma once

#include <string>

namespace Tavrel::PhotoCore {

/// The editor's record of the preset package in use; shared by reference
/// between a preset list's initializer and its applier.
struct PackageInfo {
    std::string packageName;
    std::string presetName;
    int presetGroupIndex = -1;
};

} // namespace Tavrel::PhotoCore
