#pragma once

#include "Interfaces/IWorkspaceController.h"

#include <atomic>
#include <memory>

namespace Tavrel::PhotoCore {

/// Another workspace seen through a drawer that counts the previews it renders;
/// everything else goes to the other workspace unchanged. For tests and benchmarks
/// of how often a list renders its tiles' pictures.
class PreviewCountingWorkspace : public IWorkspaceController {
public:
    explicit PreviewCountingWorkspace(std::shared_ptr<IWorkspaceController> workspace);
    ~PreviewCountingWorkspace() override;

    std::shared_ptr<IPhotoCoreDrawer> GetDrawer() const override;
    IHistoryService& GetHistory() override;
    void AddDrawerEventHandler(IDrawerEventHandler* handler) override;
    void RemoveDrawerEventHandler(IDrawerEventHandler* handler) override;
    const ImageUtils& GetImageUtils() const override;
    IVideoFrameFactory& GetFrameFactory() override;
    IStatisticsEventHandler& GetStatisticsHandler() override;

    /// Previews rendered since construction or the last ResetCount, of both kinds.
    int Count() const;
    void ResetCount();

private:
    class Drawer;

    const std::shared_ptr<IWorkspaceController> m_workspace;
    std::atomic<int> m_count{0};
    const std::shared_ptr<Drawer> m_drawer;
};

} // namespace Tavrel::PhotoCore
