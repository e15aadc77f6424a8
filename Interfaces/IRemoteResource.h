#pragma once

#include "Host/Types/ResourceId.h"

#include <QString>

#include <set>

namespace Tavrel {

/// A resource that the editor fetches on demand (a texture, a model file) and keeps in its cache.
class IRemoteResource {
public:
    enum Status : int { NotLoaded = 0, Queued = 1, Loaded = 2, Loading = 3, Failed = 4 };

    struct State {
        int status = NotLoaded; ///< one of Status
        double progress = 0.0;  ///< 0..1
        QString error;          ///< why it failed (Failed only), for the user
    };

    /// What a watcher of resources wants to hear about.
    struct NotificationParams {
        bool notifyOnChange = false; ///< call back on every change of the states below
        std::set<int> states;        ///< statuses that are reported
        double step = 0.01;          ///< smallest progress change that is reported
    };

    virtual ~IRemoteResource() = default;

    virtual const ResourceId& GetId() const = 0;
    /// UI thread only.
    virtual State GetState() const = 0;
    /// The fetched file; empty until Loaded.
    virtual QString GetLocalPath() const = 0;
};

} // namespace Tavrel
