#pragma once

#include "Interfaces/IDrawerEventHandler.h"
#include "Interfaces/IHistoryService.h"
#include "Interfaces/IPhotoCoreDrawer.h"
#include "Interfaces/IStatisticsEventHandler.h"
#include "Interfaces/IVideoFrameFactory.h"
#include "Interfaces/ImageUtils.h"

#include <memory>

namespace Tavrel::PhotoCore {

/// The editor's workspace of the open photo.
class IWorkspaceController {
public:
    virtual ~IWorkspaceController() = default;

    virtual std::shared_ptr<IPhotoCoreDrawer> GetDrawer() const = 0;
    virtual IHistoryService& GetHistory() = 0;

    /// Drawer events go to every added handler until it is removed. Once
    /// RemoveDrawerEventHandler returns, the handler is not called any more.
    virtual void AddDrawerEventHandler(IDrawerEventHandler* handler) = 0;
    virtual void RemoveDrawerEventHandler(IDrawerEventHandler* handler) = 0;

    virtual const ImageUtils& GetImageUtils() const = 0;
    virtual IVideoFrameFactory& GetFrameFactory() = 0;
    virtual IStatisticsEventHandler& GetStatisticsHandler() = 0;
};

} // namespace Tavrel::PhotoCore
