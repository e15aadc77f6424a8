#pragma once

#include "Interfaces/HistoryRequest.h"

namespace Tavrel::PhotoCore {

/// The editor's history of the open photo.
class IHistoryService {
public:
    virtual ~IHistoryService() = default;
    virtual void Restore(const HistoryRequest& request) = 0;
};

} // namespace Tavrel::PhotoCore
