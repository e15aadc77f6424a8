#include "Host/Kit/DownloadableWatcher.h"

#include <cmath>

namespace Tavrel {

DownloadableWatcher::DownloadableWatcher(IResourceManager* manager, const std::set<ResourceId>& resources,
                                         QObject* parent)
    : QObject(parent), m_manager(manager), m_resources(resources)
{
}

DownloadableWatcher::~DownloadableWatcher()
{
    if (m_manager && m_listenerId >= 0)
        m_manager->RemoveListener(m_listenerId);
}

void DownloadableWatcher::SetNotificationParams(const IRemoteResource::NotificationParams& params)
{
    m_params = params;
}

void DownloadableWatcher::SetCallback(std::function<void(const IRemoteResource::State&)> callback)
{
    m_callback = std::move(callback);
}

void DownloadableWatcher::Register()
{
    if (!m_manager) {
        Report(GetState());
        return;
    }
    // Fetch first, so that the first report is the new try of a resource that failed before, not
    // its old failure. What fetching changes at once is in that report; later changes come
    // through the listener.
    for (const ResourceId& id : m_resources) {
        const int status = m_manager->GetResource(id)->GetState().status;
        if (status == IRemoteResource::NotLoaded || status == IRemoteResource::Failed)
            m_manager->Fetch(id);
    }
    if (m_listenerId < 0) {
        m_listenerId = m_manager->AddListener(
            [this](const ResourceId& id, const IRemoteResource::State&) { OnResourceChanged(id); });
    }
    Report(GetState());
}

IRemoteResource::State DownloadableWatcher::GetState() const
{
    IRemoteResource::State combined;
    combined.status = IRemoteResource::Loaded;
    combined.progress = 1.0;
    if (!m_manager || m_resources.empty())
        return combined;

    double progress = 0.0;
    bool anyStarted = false;
    bool allLoaded = true;
    for (const ResourceId& id : m_resources) {
        const IRemoteResource::State state = m_manager->GetResource(id)->GetState();
        if (state.status == IRemoteResource::Failed)
            return state;
        const bool loaded = state.status == IRemoteResource::Loaded;
        allLoaded = allLoaded && loaded;
        anyStarted = anyStarted || state.status == IRemoteResource::Loading;
        progress += loaded ? 1.0 : state.progress;
    }
    if (allLoaded)
        return combined;
    combined.progress = progress / m_resources.size();
    combined.status = anyStarted || combined.progress > 0 ? IRemoteResource::Loading : IRemoteResource::Queued;
    return combined;
}

void DownloadableWatcher::OnResourceChanged(const ResourceId& id)
{
    if (!m_params.notifyOnChange || !m_resources.count(id))
        return;
    const IRemoteResource::State state = GetState();
    if (!m_params.states.count(state.status))
        return;
    if (m_reported) {
        const bool sameStatus = m_reported->status == state.status && m_reported->error == state.error;
        const double change = std::abs(state.progress - m_reported->progress);
        if (sameStatus && change < m_params.step && !(state.progress >= 1.0 && change > 0))
            return;
    }
    Report(state);
}

void DownloadableWatcher::Report(const IRemoteResource::State& state)
{
    m_reported = state;
    if (m_callback)
        m_callback(state);
}

} // namespace Tavrel
