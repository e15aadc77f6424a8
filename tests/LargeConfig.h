#pragma once

#include "Host/Types/PropertyTree.h"

#include <string>

namespace Tavrel::Tests {

/// A user configuration of three megabytes, in long texts that are quick to build and to
/// write; only its last value, "seed", tells one from another.
inline PropertyTree LargeConfig(int seed)
{
    PropertyTree tree;
    tree.convertToMap();
    PropertyTree& presets = tree.getMap()["presets"];
    presets.convertToList();
    auto& list = presets.getList();
    list.resize(300);
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].convertToMap();
        list[i].getMap()["name"] = PropertyTree(PropertyTreeScalar("Preset " + std::to_string(i)));
        list[i].getMap()["notes"] = PropertyTree(PropertyTreeScalar(std::string(10000, char('a' + i % 26))));
    }
    tree.getMap()["seed"] = PropertyTree(PropertyTreeScalar(std::int64_t(seed)));
    return tree;
}

} // namespace Tavrel::Tests
