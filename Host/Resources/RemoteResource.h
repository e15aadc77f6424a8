#pragma once

#include "Interfaces/IRemoteResource.h"

namespace Tavrel {

/// The resource manager's record of one resource. Changed by the manager on the UI thread only.
class RemoteResource : public IRemoteResource {
public:
    RemoteResource(ResourceId id, QString localPath);

    const ResourceId& GetId() const override;
    State GetState() const override;
    QString GetLocalPath() const override;

    void SetState(const State& state);

private:
    ResourceId m_id;
    QString m_localPath;
    State m_state;
};

} // namespace Tavrel
