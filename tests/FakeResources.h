#pragma once

#include "Interfaces/ICoreFactories.h"
#include "Interfaces/IResourceManager.h"

#include <map>
#include <memory>

namespace TestResources {

using Tavrel::IRemoteResource;
using Tavrel::ResourceId;

// Resources whose state the test sets by hand.
class FakeResources : public Tavrel::IResourceManager, public Tavrel::ICoreFactories {
public:
    struct Resource : IRemoteResource {
        ResourceId id;
        State state;
        const ResourceId& GetId() const override { return id; }
        State GetState() const override { return state; }
        QString GetLocalPath() const override { return {}; }
    };

    std::shared_ptr<IRemoteResource> GetResource(const ResourceId& id) override { return Get(id); }
    void Fetch(const ResourceId& id) override
    {
        if (Get(id)->state.status == IRemoteResource::NotLoaded)
            Set(id, {IRemoteResource::Queued, 0.0, {}});
    }
    int AddListener(Listener listener) override
    {
        m_listeners[++m_lastId] = std::move(listener);
        return m_lastId;
    }
    void RemoveListener(int id) override { m_listeners.erase(id); }
    IResourceManager* GetResourceManager() const override { return const_cast<FakeResources*>(this); }

    void Set(const ResourceId& id, const IRemoteResource::State& state)
    {
        Get(id)->state = state;
        const auto listeners = m_listeners;
        for (const auto& [key, listener] : listeners)
            listener(id, state);
    }

private:
    std::shared_ptr<Resource> Get(const ResourceId& id)
    {
        auto& resource = m_resources[id];
        if (!resource) {
            resource = std::make_shared<Resource>();
            resource->id = id;
        }
        return resource;
    }

    std::map<ResourceId, std::shared_ptr<Resource>> m_resources;
    std::map<int, Listener> m_listeners;
    int m_lastId = 0;
};


} // namespace TestResources
