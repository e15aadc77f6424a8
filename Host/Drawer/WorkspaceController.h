#pragma once

#include "Host/Drawer/PhotoCoreDrawer.h"
#include "Host/Drawer/QtImageUtils.h"
#include "Host/Drawer/StatisticsRecorder.h"
#include "Host/Drawer/VideoFrameFactory.h"
#include "Interfaces/IWorkspaceController.h"

#include <QImage>
#include <QString>

#include <memory>

namespace Tavrel::PhotoCore {

/// The host's workspace of one open photo: its drawer (also the history service),
/// the frame conversions and the statistics recorder.
class WorkspaceController : public IWorkspaceController {
public:
    /// statisticsFile: where the recorder appends its JSON lines; empty: memory only.
    explicit WorkspaceController(const QImage& photo, const QString& statisticsFile = QString());

    std::shared_ptr<IPhotoCoreDrawer> GetDrawer() const override;
    IHistoryService& GetHistory() override;
    void AddDrawerEventHandler(IDrawerEventHandler* handler) override;
    void RemoveDrawerEventHandler(IDrawerEventHandler* handler) override;
    const ImageUtils& GetImageUtils() const override;
    IVideoFrameFactory& GetFrameFactory() override;
    IStatisticsEventHandler& GetStatisticsHandler() override;

    PhotoCoreDrawer& Drawer();
    StatisticsRecorder& Statistics();

    /// Locks or unlocks the drawer for the editor's other tools: the
    /// ObjectsConnector::CORE_DRAWER_LOCK broadcast.
    void SetDrawerLocked(bool locked);

private:
    const std::shared_ptr<PhotoCoreDrawer> m_drawer;
    QtImageUtils m_imageUtils;
    VideoFrameFactory m_frameFactory;
    StatisticsRecorder m_statistics;
};

} // namespace Tavrel::PhotoCore
