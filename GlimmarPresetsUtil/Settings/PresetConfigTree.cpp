#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigFields.h"

#include <glog/logging.h>

#include <stdexcept>

namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig {

void ReadConfig(Config& config, const PropertyTree& tree, bool optional)
{
    if (optional && tree.isNull())
        return;
    try {
        ReadFields(config, tree.getMap(), TreeOptions{true, false});
    } catch (const std::exception& error) {
        if (!optional)
            throw;
        LOG(WARNING) << "failed to read optional config:" << error.what();
    }
    for (Group& group : config.m_groups)
        for (Item& item : group.m_items)
            if (item.m_id.empty())
                item.m_id = item.m_name;
}

void WriteConfig(const Config& config, PropertyTree& tree)
{
    tree = PropertyTree();
    tree.convertToMap();
    WriteFields(config, tree.getMap(), TreeOptions{true, true});
}

} // namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig
