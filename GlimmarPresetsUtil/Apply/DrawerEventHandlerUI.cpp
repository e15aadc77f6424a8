#include "GlimmarPresetsUtil/Apply/DrawerEventHandlerUI.h"

namespace Tavrel::Glimmar::GlimmarPresets {

using namespace PhotoCore;

DrawerEventHandlerUI::~DrawerEventHandlerUI() = default;

// std::bind stores a copy of the event: the drawer's record is gone by the time the call runs.
void DrawerEventHandlerUI::HandleUndo(const DrawerEventUndo& event)
{
    Forward(std::bind(&DrawerEventHandlerUI::HandleUndoInternal, this, event));
}

void DrawerEventHandlerUI::HandleFrame(const DrawerEventFrame& event)
{
    Forward(std::bind(&DrawerEventHandlerUI::HandleFrameInternal, this, event));
}

void DrawerEventHandlerUI::HandleChangeToSave(const DrawerEventChangeToSave& event)
{
    Forward(std::bind(&DrawerEventHandlerUI::HandleChangeToSaveInternal, this, event));
}

void DrawerEventHandlerUI::HandleFrameTemporary(const DrawerEventFrameTemporary& event)
{
    Forward(std::bind(&DrawerEventHandlerUI::HandleFrameTemporaryInternal, this, event));
}

void DrawerEventHandlerUI::HandleToolIdChange(const DrawerEventToolIdChange& event)
{
    Forward(std::bind(&DrawerEventHandlerUI::HandleToolIdChangeInternal, this, event));
}

void DrawerEventHandlerUI::HandleShapeItem(const DrawerEventShapeItem& event)
{
    Forward(std::bind(&DrawerEventHandlerUI::HandleShapeItemInternal, this, event));
}

void DrawerEventHandlerUI::HandleMementoChanged(const DrawerEventMementoChanged& event)
{
    Forward(std::bind(&DrawerEventHandlerUI::HandleMementoChangedInternal, this, event));
}

void DrawerEventHandlerUI::HandleRenderProgress(double fraction)
{
    HandleRenderProgressInternal(fraction);
}

void DrawerEventHandlerUI::HandleUndoInternal(const DrawerEventUndo&) {}
void DrawerEventHandlerUI::HandleFrameInternal(const DrawerEventFrame&) {}
void DrawerEventHandlerUI::HandleChangeToSaveInternal(const DrawerEventChangeToSave&) {}
void DrawerEventHandlerUI::HandleFrameTemporaryInternal(const DrawerEventFrameTemporary&) {}
void DrawerEventHandlerUI::HandleToolIdChangeInternal(const DrawerEventToolIdChange&) {}
void DrawerEventHandlerUI::HandleShapeItemInternal(const DrawerEventShapeItem&) {}
void DrawerEventHandlerUI::HandleMementoChangedInternal(const DrawerEventMementoChanged&) {}
void DrawerEventHandlerUI::HandleRenderProgressInternal(double) {}

} // namespace Tavrel::Glimmar::GlimmarPresets
