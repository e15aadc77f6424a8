#include "Host/Resources/RemoteResource.h"

namespace Tavrel {

RemoteResource::RemoteResource(ResourceId id, QString localPath) : m_id(std::move(id)), m_localPath(std::move(localPath))
{
}

const ResourceId& RemoteResource::GetId() const
{
    return m_id;
}

IRemoteResource::State RemoteResource::GetState() const
{
    return m_state;
}

QString RemoteResource::GetLocalPath() const
{
    return m_state.status == Loaded ? m_localPath : QString();
}

void RemoteResource::SetState(const State& state)
{
    m_state = state;
}

} // namespace Tavrel
