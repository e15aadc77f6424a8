#pragma once

#include "Interfaces/ICoreFactories.h"

#include <memory>

namespace Tavrel {

class ResourceManager;

/// The stand-in's core factories: own the services handed to tool panels.
class CoreFactories : public ICoreFactories {
public:
    CoreFactories();
    ~CoreFactories() override;

    IResourceManager* GetResourceManager() const override;

private:
    std::unique_ptr<ResourceManager> m_resourceManager;
};

} // namespace Tavrel
