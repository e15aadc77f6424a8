#include "demo/PhotoDocument.h"

#include "Host/Drawer/VideoFrame.h"
#include "Host/Drawer/WorkspaceController.h"
#include "Host/QtUtils/FunctorExecutionForwarder.h"
#include "Interfaces/HistoryRequest.h"

namespace Tavrel::Demo {

using namespace PhotoCore;

PhotoDocument::PhotoDocument(const QImage& photo, const QString& filePath, const QString& statisticsFile,
                             QObject* parent)
    : QObject(parent),
      m_filePath(filePath),
      m_original(photo),
      m_rendered(photo),
      m_forwarder(new FunctorExecutionForwarder(this)),
      m_workspace(std::make_shared<WorkspaceController>(photo, statisticsFile))
{
    m_workspace->AddDrawerEventHandler(this);
}

PhotoDocument::~PhotoDocument() { m_workspace->RemoveDrawerEventHandler(this); }

void PhotoDocument::Undo() { RestorePosition(m_workspace->GetDrawer()->GetCurrentPosition() - 1); }

void PhotoDocument::Redo() { RestorePosition(m_workspace->GetDrawer()->GetCurrentPosition() + 1); }

void PhotoDocument::RestoreOriginal() { RestorePosition(0); }

void PhotoDocument::RestorePosition(int position)
{
    HistoryRequest request;
    request.position = position;
    request.keepLaterEntries = true;
    m_workspace->GetHistory().Restore(request);
}

// The handlers run on the drawer's thread: copy what is needed, change state only on the UI thread.

void PhotoDocument::HandleFrame(const DrawerEventFrame& event)
{
    const QImage image = VideoFrame::ImageOf(event.frame);
    m_forwarder->Forward([this, image] {
        m_rendered = image;
        emit frameRendered(image);
    });
}

void PhotoDocument::HandleFrameTemporary(const DrawerEventFrameTemporary& event)
{
    const QImage image = VideoFrame::ImageOf(event.frame);
    m_forwarder->Forward([this, image] { emit frameRendered(image); });
}

void PhotoDocument::HandleMementoChanged(const DrawerEventMementoChanged& event)
{
    m_forwarder->Forward([this, event] {
        m_size = event.entryCount;
        m_position = event.currentPosition;
        emit historyChanged();
    });
}

// The window follows the history through HandleMementoChanged and the picture through the frames.
void PhotoDocument::HandleUndo(const DrawerEventUndo&) {}
void PhotoDocument::HandleChangeToSave(const DrawerEventChangeToSave&) {}
void PhotoDocument::HandleToolIdChange(const DrawerEventToolIdChange&) {}
void PhotoDocument::HandleShapeItem(const DrawerEventShapeItem&) {}
void PhotoDocument::HandleRenderProgress(double) {}

} // namespace Tavrel::Demo
