#pragma once

#include "GlimmarPresetsUtil/Apply/EventHandlerUI.h"
#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Interfaces/IDrawerEventHandler.h"

namespace Tavrel::Glimmar::GlimmarPresets {

/// Routes the drawer's events to the user-interface thread: each event is copied
/// on the drawer's thread and its Handle...Internal runs later, on the thread that
/// created the object, with the copy. The Internal handlers do nothing by default.
class GLIMMARPRESETSUTIL_EXPORT DrawerEventHandlerUI : public virtual EventHandlerUI<PhotoCore::IDrawerEventHandler> {
public:
    ~DrawerEventHandlerUI() override;

    void HandleUndo(const PhotoCore::DrawerEventUndo& event) override;
    void HandleFrame(const PhotoCore::DrawerEventFrame& event) override;
    void HandleChangeToSave(const PhotoCore::DrawerEventChangeToSave& event) override;
    void HandleFrameTemporary(const PhotoCore::DrawerEventFrameTemporary& event) override;
    void HandleToolIdChange(const PhotoCore::DrawerEventToolIdChange& event) override;
    void HandleShapeItem(const PhotoCore::DrawerEventShapeItem& event) override;
    void HandleMementoChanged(const PhotoCore::DrawerEventMementoChanged& event) override;
    /// Passed on at once, on the drawer's thread, to HandleRenderProgressInternal.
    void HandleRenderProgress(double fraction) override;

protected:
    virtual void HandleUndoInternal(const PhotoCore::DrawerEventUndo& event);
    virtual void HandleFrameInternal(const PhotoCore::DrawerEventFrame& event);
    virtual void HandleChangeToSaveInternal(const PhotoCore::DrawerEventChangeToSave& event);
    virtual void HandleFrameTemporaryInternal(const PhotoCore::DrawerEventFrameTemporary& event);
    virtual void HandleToolIdChangeInternal(const PhotoCore::DrawerEventToolIdChange& event);
    virtual void HandleShapeItemInternal(const PhotoCore::DrawerEventShapeItem& event);
    virtual void HandleMementoChangedInternal(const PhotoCore::DrawerEventMementoChanged& event);
    /// Runs on the drawer's thread.
    virtual void HandleRenderProgressInternal(double fraction);
};

} // namespace Tavrel::Glimmar::GlimmarPresets
