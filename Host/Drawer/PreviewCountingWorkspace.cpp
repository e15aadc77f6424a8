#include "Host/Drawer/PreviewCountingWorkspace.h"

namespace Tavrel::PhotoCore {

class PreviewCountingWorkspace::Drawer : public IPhotoCoreDrawer {
public:
    Drawer(std::shared_ptr<IPhotoCoreDrawer> drawer, std::atomic<int>& count)
        : m_drawer(std::move(drawer)), m_count(count)
    {
    }

    void ApplyEffects(const EffectsSettings& settings, const Parameters& parameters) override
    {
        m_drawer->ApplyEffects(settings, parameters);
    }
    void ApplyEffect(const IEffectSettings::Ptr& effect, const Parameters& parameters) override
    {
        m_drawer->ApplyEffect(effect, parameters);
    }
    DrawerEntry GetEntry(int position) const override { return m_drawer->GetEntry(position); }
    int FindPackagePosition(const std::string& packageName) const override
    {
        return m_drawer->FindPackagePosition(packageName);
    }
    int GetCurrentPosition() const override { return m_drawer->GetCurrentPosition(); }
    MaskInfo::MaskInfoEx GetMaskEntry(int position) const override { return m_drawer->GetMaskEntry(position); }
    std::string GetPainterId() const override { return m_drawer->GetPainterId(); }
    IPhotoCoreDrawerPainter& GetPainter() override { return m_drawer->GetPainter(); }
    FramePtr RenderPreview(const EffectsSettings& settings, const FrameSize& size, const PreviewPolicy& policy,
                           int position) override
    {
        ++m_count;
        return m_drawer->RenderPreview(settings, size, policy, position);
    }
    FramePtr RenderPreview(const EffectsSettings& settings, const FrameSize& size, const PreviewPolicy& policy,
                           const FramePtr& source, const FramePtr& second) override
    {
        ++m_count;
        return m_drawer->RenderPreview(settings, size, policy, source, second);
    }

private:
    const std::shared_ptr<IPhotoCoreDrawer> m_drawer;
    std::atomic<int>& m_count;
};

PreviewCountingWorkspace::PreviewCountingWorkspace(std::shared_ptr<IWorkspaceController> workspace)
    : m_workspace(std::move(workspace)), m_drawer(std::make_shared<Drawer>(m_workspace->GetDrawer(), m_count))
{
}

PreviewCountingWorkspace::~PreviewCountingWorkspace() = default;

std::shared_ptr<IPhotoCoreDrawer> PreviewCountingWorkspace::GetDrawer() const { return m_drawer; }
IHistoryService& PreviewCountingWorkspace::GetHistory() { return m_workspace->GetHistory(); }
void PreviewCountingWorkspace::AddDrawerEventHandler(IDrawerEventHandler* handler)
{
    m_workspace->AddDrawerEventHandler(handler);
}
void PreviewCountingWorkspace::RemoveDrawerEventHandler(IDrawerEventHandler* handler)
{
    m_workspace->RemoveDrawerEventHandler(handler);
}
const ImageUtils& PreviewCountingWorkspace::GetImageUtils() const { return m_workspace->GetImageUtils(); }
IVideoFrameFactory& PreviewCountingWorkspace::GetFrameFactory() { return m_workspace->GetFrameFactory(); }
IStatisticsEventHandler& PreviewCountingWorkspace::GetStatisticsHandler() { return m_workspace->GetStatisticsHandler(); }
int PreviewCountingWorkspace::Count() const { return m_count; }
void PreviewCountingWorkspace::ResetCount() { m_count = 0; }

} // namespace Tavrel::PhotoCore
