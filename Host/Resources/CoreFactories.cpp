#include "Host/Resources/CoreFactories.h"

#include "Host/Resources/ResourceManager.h"

namespace Tavrel {

CoreFactories::CoreFactories() : m_resourceManager(std::make_unique<ResourceManager>()) {}

CoreFactories::~CoreFactories() = default;

IResourceManager* CoreFactories::GetResourceManager() const
{
    return m_resourceManager.get();
}

} // namespace Tavrel
