#pragma once

#include <cstdint>
#include <string>
#include <tuple>

namespace Tavrel {

/// A downloadable resource: its type (the configuration's resource type; 1 for
/// neural models) and its name. Ordered by type, then by name.
struct ResourceId {
    std::int32_t type = 0;
    std::string name;

    bool operator<(const ResourceId& other) const { return std::tie(type, name) < std::tie(other.type, other.name); }
    bool operator==(const ResourceId& other) const { return type == other.type && name == other.name; }
};

} // namespace Tavrel
