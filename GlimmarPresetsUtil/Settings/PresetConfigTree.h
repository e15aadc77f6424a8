#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"
#include "Host/Types/PropertyTree.h"

/// The property-tree form of preset configurations.
namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig {

/// Fills config from tree; keys the tree lacks take their defaults. With
/// optional, a null tree changes nothing, and a failure is logged as a warning
/// ("failed to read optional config:" + the error) keeping what was read before
/// it; otherwise it is thrown as an exception derived from std::exception.
/// Items without an id then take their name as id.
GLIMMARPRESETSUTIL_EXPORT void ReadConfig(Config& config, const PropertyTree& tree, bool optional);

/// Replaces tree with a map of the members that differ from their defaults.
GLIMMARPRESETSUTIL_EXPORT void WriteConfig(const Config& config, PropertyTree& tree);

} // namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig
