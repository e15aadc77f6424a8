#include "Host/Drawer/WorkspaceController.h"

#include "Host/QtUtils/ObjectsConnector.h"

namespace Tavrel::PhotoCore {

WorkspaceController::WorkspaceController(const QImage& photo, const QString& statisticsFile)
    : m_drawer(std::make_shared<PhotoCoreDrawer>(photo)), m_statistics(statisticsFile)
{
}

std::shared_ptr<IPhotoCoreDrawer> WorkspaceController::GetDrawer() const { return m_drawer; }

IHistoryService& WorkspaceController::GetHistory() { return *m_drawer; }

void WorkspaceController::AddDrawerEventHandler(IDrawerEventHandler* handler) { m_drawer->AddDrawerEventHandler(handler); }

void WorkspaceController::RemoveDrawerEventHandler(IDrawerEventHandler* handler)
{
    m_drawer->RemoveDrawerEventHandler(handler);
}

const ImageUtils& WorkspaceController::GetImageUtils() const { return m_imageUtils; }

IVideoFrameFactory& WorkspaceController::GetFrameFactory() { return m_frameFactory; }

IStatisticsEventHandler& WorkspaceController::GetStatisticsHandler() { return m_statistics; }

PhotoCoreDrawer& WorkspaceController::Drawer() { return *m_drawer; }

StatisticsRecorder& WorkspaceController::Statistics() { return m_statistics; }

void WorkspaceController::SetDrawerLocked(bool locked)
{
    ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, locked);
}

} // namespace Tavrel::PhotoCore
