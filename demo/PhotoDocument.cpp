#include "demo/PhotoDocument.h"

#include "Host/Drawer/VideoFrame.h"
#include "Host/Drawer/WorkspaceController.h"
#include "Interfaces/HistoryRequest.h"
#include "demo/PhotoView.h"

#include <algorithm>

namespace Tavrel::Demo {

using namespace PhotoCore;

PhotoDocument::PhotoDocument(const QImage& photo, const QString& filePath, const QString& statisticsFile,
                             QObject* parent)
    : QObject(parent),
      m_filePath(filePath),
      m_original(photo),
      m_rendered(photo),
      m_workspace(std::make_shared<WorkspaceController>(photo, statisticsFile))
{
    m_workspace->AddDrawerEventHandler(this);
}

PhotoDocument::~PhotoDocument() { m_workspace->RemoveDrawerEventHandler(this); }

void PhotoDocument::ShowIn(PhotoView& view)
{
    connect(this, &PhotoDocument::frameRendered, &view, &PhotoView::SetImage);
    connect(&view, &PhotoView::zoomChanged, this, [this, &view] { SetSizeOnScreen(view.PhotoSizeOnScreen()); });
    view.SetOriginal(m_original);
    view.SetImage(m_original);
}

void PhotoDocument::SetSizeOnScreen(const QSize& size)
{
    if (size.isEmpty())
        return;
    // Zoomed in, a proxy as large as the photo on screen would cost as much as the render.
    m_workspace->Drawer().SetProxySide(std::min(PhotoCoreDrawer::PROXY_PHOTO_SIDE, std::max(size.width(), size.height())));
}

// A step is a position whose next entry is no confirmation: between a preset and its
// confirmation the preset was only being tried.
int PhotoDocument::StepFrom(int position, int direction) const
{
    const PhotoCoreDrawer& drawer = m_workspace->Drawer();
    const int last = drawer.EntryCount();
    position += direction;
    while (position > 0 && position < last && drawer.GetEntry(position).settings.IsReset())
        position += direction;
    return position;
}

bool PhotoDocument::CanUndo() const { return m_workspace->Drawer().GetCurrentPosition() > 0; }

bool PhotoDocument::CanRedo() const
{
    const PhotoCoreDrawer& drawer = m_workspace->Drawer();
    return drawer.GetCurrentPosition() < drawer.EntryCount();
}

void PhotoDocument::Undo() { RestorePosition(StepFrom(m_workspace->GetDrawer()->GetCurrentPosition(), -1)); }

void PhotoDocument::Redo() { RestorePosition(StepFrom(m_workspace->GetDrawer()->GetCurrentPosition(), +1)); }

void PhotoDocument::RestoreOriginal() { RestorePosition(0); }

void PhotoDocument::RestorePosition(int position)
{
    HistoryRequest request;
    request.position = position;
    request.keepLaterEntries = true;
    m_workspace->GetHistory().Restore(request);
}

void PhotoDocument::HandleFrameInternal(const DrawerEventFrame& event)
{
    m_rendered = VideoFrame::ImageOf(event.frame);
    emit frameRendered(m_rendered);
}

void PhotoDocument::HandleFrameTemporaryInternal(const DrawerEventFrameTemporary& event)
{
    emit frameRendered(VideoFrame::ImageOf(event.frame));
}

// The previews are drawn before the latest entry's package, as the preset lists ask the drawer
// for them; the entry below that position names the photo there.
std::uint64_t PhotoDocument::PreviewBase() const
{
    const PhotoCoreDrawer& drawer = m_workspace->Drawer();
    return drawer.SerialBelow(drawer.FindPackagePosition(drawer.GetEntry(-1).settings.Package().GetPackageName()));
}

void PhotoDocument::HandleMementoChangedInternal(const DrawerEventMementoChanged&)
{
    emit historyChanged();
    // Read now rather than from the event: a later change has an event of its own to follow.
    const std::uint64_t base = PreviewBase();
    if (base == m_previewBase)
        return;
    m_previewBase = base;
    emit previewBaseChanged();
}

} // namespace Tavrel::Demo
