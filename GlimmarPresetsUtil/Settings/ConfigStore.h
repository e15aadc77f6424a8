#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"

#include <string>

namespace Tavrel::Glimmar::GlimmarPresets {

/// Where a preset list's configurations come from and go to: the built-in one
/// is a resource of the folder "configs", the user one is stored under its name.
class GLIMMARPRESETSUTIL_EXPORT ConfigStore {
public:
    /// Reads the built-in configuration, which must exist (failures propagate),
    /// and, for a non-empty userConfigPath, the optional user configuration:
    /// a missing one leaves user empty, an unreadable part is logged as a warning.
    static void Read(const std::string& resourceModule, const std::string& configName,
                     const std::string& userConfigPath, PresetConfig::Config& builtIn, PresetConfig::Config& user);

    /// Stores user under userConfigPath; nothing for an empty name. Failures are
    /// logged, never thrown, since this runs from destructors.
    static void WriteUser(const std::string& userConfigPath, const PresetConfig::Config& user) noexcept;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
