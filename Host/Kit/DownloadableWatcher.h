#pragma once

#include "Interfaces/IRemoteResource.h"
#include "Interfaces/IResourceManager.h"

#include <QObject>

#include <functional>
#include <optional>
#include <set>

namespace Tavrel {

/// Follows a set of resources as one download and reports their combined state: Failed when any
/// failed (with its error), else Loaded when all are there, else Loading with the mean progress
/// (Queued while none has started). Callbacks run on the UI thread and never after destruction.
class DownloadableWatcher : public QObject {
    Q_OBJECT

public:
    /// A null manager has nothing to fetch: Register() reports Loaded.
    DownloadableWatcher(IResourceManager* manager, const std::set<ResourceId>& resources, QObject* parent);
    ~DownloadableWatcher() override;

    /// Which changes are reported after the first report. With notifyOnChange false only the first
    /// report is made. A progress change is reported when it is at least `step` or reaches 1.
    void SetNotificationParams(const IRemoteResource::NotificationParams& params);
    void SetCallback(std::function<void(const IRemoteResource::State&)> callback);

    /// Starts fetching what is missing or failed, reports the combined state at once, then reports
    /// the changes the params select. Call once.
    void Register();

    IRemoteResource::State GetState() const;

private:
    void OnResourceChanged(const ResourceId& id);
    void Report(const IRemoteResource::State& state);

    IResourceManager* m_manager;
    std::set<ResourceId> m_resources;
    IRemoteResource::NotificationParams m_params;
    std::function<void(const IRemoteResource::State&)> m_callback;
    std::optional<IRemoteResource::State> m_reported;
    int m_listenerId = -1;
};

} // namespace Tavrel
