#pragma once

// A workspace whose drawer only records what it is asked, for tests that check
// the requests a class makes rather than rendered pixels.

#include "GlimmarPresetsUtil/Apply/EffectEventTracker.h"
#include "GlimmarPresetsUtil/Apply/EffectPresetApplier.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "Host/Drawer/QtImageUtils.h"
#include "Host/Drawer/StatisticsRecorder.h"
#include "Host/Drawer/VideoFrame.h"
#include "Host/Drawer/VideoFrameFactory.h"
#include "Interfaces/IWorkspaceController.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace RecordingWorkspace {

using namespace Tavrel::PhotoCore;

struct PreviewRequest {
    FrameSize size;
    PreviewPolicy policy;
    int position;
    QSize sourceSize; // empty: the open photo was asked for
};

class Drawer : public IPhotoCoreDrawer, public IPhotoCoreDrawerPainter, public IHistoryService {
public:
    void ApplyEffects(const EffectsSettings& settings, const Parameters&) override
    {
        applied.push_back(settings);
        latest.settings = settings;
    }
    void ApplyEffect(const IEffectSettings::Ptr& effect, const Parameters& parameters) override
    {
        EffectsSettings settings;
        settings.Effects() = {effect};
        ApplyEffects(settings, parameters);
    }
    DrawerEntry GetEntry(int position) const override
    {
        reads.push_back("GetEntry(" + std::to_string(position) + ")");
        return latest;
    }
    int FindPackagePosition(const std::string& name) const override
    {
        reads.push_back("FindPackagePosition(" + name + ")");
        return packagePositions.count(name) ? packagePositions.at(name) : -1;
    }
    int GetCurrentPosition() const override
    {
        reads.push_back("GetCurrentPosition");
        return 0;
    }
    MaskInfo::MaskInfoEx GetMaskEntry(int) const override
    {
        reads.push_back("GetMaskEntry");
        return {};
    }
    std::string GetPainterId() const override { return "recording"; }
    IPhotoCoreDrawerPainter& GetPainter() override { return *this; }
    FramePtr RenderPreview(const EffectsSettings&, const FrameSize& size, const PreviewPolicy& policy,
                           int position) override
    {
        requests.push_back({size, policy, position, {}});
        return Red(size);
    }
    FramePtr RenderPreview(const EffectsSettings&, const FrameSize& size, const PreviewPolicy& policy,
                           const FramePtr& source, const FramePtr&) override
    {
        requests.push_back({size, policy, -2, QSize(source->Width(), source->Height())});
        return Red(size);
    }
    void SetPainterSettings(const std::shared_ptr<ISettingsPainter>&, const std::shared_ptr<MaskInfo::IMask>&) override {}
    FramePtr Prepare(int, int) override { return {}; }
    void UpdatePaint(const EffectsSettings& settings, bool) override { painted.push_back(settings); }
    void CommitPaint(int, int, bool) override { ++commits; }
    void Restore(const HistoryRequest& request) override { restored.push_back(request.position); }

    DrawerEntry latest;
    std::vector<EffectsSettings> applied; // ApplyEffects and ApplyEffect, in order
    std::vector<EffectsSettings> painted;
    int commits = 0;
    std::vector<int> restored;
    std::map<std::string, int> packagePositions;
    std::vector<PreviewRequest> requests;
    mutable std::vector<std::string> reads; // the questions asked, in order

private:
    static FramePtr Red(const FrameSize& size)
    {
        QImage image(size.width, size.height, QImage::Format_RGB32);
        image.fill(Qt::red);
        return FramePtr(new VideoFrame(image));
    }
};

class Controller : public IWorkspaceController {
public:
    std::shared_ptr<IPhotoCoreDrawer> GetDrawer() const override { return drawer; }
    IHistoryService& GetHistory() override { return *drawer; }
    void AddDrawerEventHandler(IDrawerEventHandler*) override { ++handlersAdded; }
    void RemoveDrawerEventHandler(IDrawerEventHandler*) override {}
    const ImageUtils& GetImageUtils() const override { return utils; }
    IVideoFrameFactory& GetFrameFactory() override { return factory; }
    IStatisticsEventHandler& GetStatisticsHandler() override { return statistics; }
    std::vector<std::string> EventNames() const
    {
        std::vector<std::string> names;
        for (const auto& event : statistics.Events())
            names.push_back(event.name);
        return names;
    }

    std::shared_ptr<Drawer> drawer = std::make_shared<Drawer>();
    int handlersAdded = 0;
    QtImageUtils utils;
    VideoFrameFactory factory;
    StatisticsRecorder statistics;
};

// The applier and the event tracker on a recording workspace, as a preset list hands them to its models.
struct Services {
    Services()
    {
        applier.SetPackageName("looks");
        applier.SetWorkspaceController(controller);
        tracker.SetWorkspaceController(controller);
    }

    bool Inject(QAbstractItemModel& model)
    {
        using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
        return model.setData({}, QVariant::fromValue(&applier), ModelPreset::ApplierRole) &&
               model.setData({}, QVariant::fromValue(&tracker), ModelPreset::EventTrackerRole);
    }

    std::shared_ptr<Controller> controller = std::make_shared<Controller>();
    PackageInfo info;
    Tavrel::Glimmar::GlimmarPresets::EffectPresetApplier applier{info, nullptr};
    Tavrel::Glimmar::GlimmarPresets::EffectEventTracker tracker;
};

} // namespace RecordingWorkspace
