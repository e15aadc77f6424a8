#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/FieldInfo.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"
#include "Host/Types/PropertyTree.h"

/// The property-tree form of preset configurations.
namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig {

/// Reads the members of a record from a map, converting each by its kind;
/// instantiated for every record of PresetConfig.h and for PreviewPolicy.
/// Failures of the tree (a wrong kind, a bad number or colour) are thrown as
/// exceptions derived from std::exception, after the members before them were read.
template <typename T>
GLIMMARPRESETSUTIL_EXPORT void ReadFields(T& record, const PropertyTree::Map& map, TreeOptions options);

/// Writes the members of a record into a map; see TreeOptions.
template <typename T>
GLIMMARPRESETSUTIL_EXPORT void WriteFields(const T& record, PropertyTree::Map& map, TreeOptions options);

/// Fills config from tree with replace on. With optional, a null tree changes
/// nothing, and a failure is logged as a warning ("failed to read optional
/// config:" + the error) keeping what was read before it; otherwise it is thrown.
/// Items without an id then take their name as id.
GLIMMARPRESETSUTIL_EXPORT void ReadConfig(Config& config, const PropertyTree& tree, bool optional);

/// Replaces tree with a map of the members that differ from their defaults.
GLIMMARPRESETSUTIL_EXPORT void WriteConfig(const Config& config, PropertyTree& tree);

} // namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig
