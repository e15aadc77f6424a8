#pragma once

#include "Interfaces/DrawerEvents.h"

namespace Tavrel::PhotoCore {

/// Receives the drawer's events, on the drawer's own thread.
class IDrawerEventHandler {
public:
    virtual ~IDrawerEventHandler() = default;

    virtual void HandleUndo(const DrawerEventUndo& event) = 0;
    virtual void HandleFrame(const DrawerEventFrame& event) = 0;
    virtual void HandleChangeToSave(const DrawerEventChangeToSave& event) = 0;
    virtual void HandleFrameTemporary(const DrawerEventFrameTemporary& event) = 0;
    virtual void HandleToolIdChange(const DrawerEventToolIdChange& event) = 0;
    virtual void HandleShapeItem(const DrawerEventShapeItem& event) = 0;
    virtual void HandleMementoChanged(const DrawerEventMementoChanged& event) = 0;
    /// Render progress from 0 to 1; called often, so it carries no record to copy.
    virtual void HandleRenderProgress(double fraction) = 0;
};

} // namespace Tavrel::PhotoCore
