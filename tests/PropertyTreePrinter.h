#pragma once

#include "Host/Types/JsonCodec.h"
#include "Host/Types/PropertyTree.h"

#include <ostream>

namespace Tavrel {

/// Lets GoogleTest show trees as JSON in failure messages.
inline void PrintTo(const PropertyTree& tree, std::ostream* out)
{
    try {
        *out << PhotoUtil::JsonCodec::Serialize(tree);
    } catch (const std::exception& error) {
        *out << "<unprintable tree: " << error.what() << ">";
    }
}

} // namespace Tavrel
