#pragma once

#include "Interfaces/IRemoteResource.h"

#include <functional>
#include <memory>

namespace Tavrel {

/// The editor's store of fetched resources. Used from the UI thread.
class IResourceManager {
public:
    using Listener = std::function<void(const ResourceId&, const IRemoteResource::State&)>;

    virtual ~IResourceManager() = default;

    /// The record of the resource; made on first request, never null.
    virtual std::shared_ptr<IRemoteResource> GetResource(const ResourceId& id) = 0;
    /// Starts fetching when the resource is not there yet; a resource already fetched is Loaded at once.
    virtual void Fetch(const ResourceId& id) = 0;
    /// Listener called on the UI thread for every state change of any resource; the returned id removes it.
    virtual int AddListener(Listener listener) = 0;
    /// Once this returns the listener is not called any more, even from within a notification.
    virtual void RemoveListener(int listenerId) = 0;
};

} // namespace Tavrel
