#pragma once

#include "Interfaces/IResourceManager.h"

namespace Tavrel {

/// The editor's services that a tool panel receives when it is made.
class ICoreFactories {
public:
    virtual ~ICoreFactories() = default;

    virtual IResourceManager* GetResourceManager() const = 0;
};

} // namespace Tavrel
