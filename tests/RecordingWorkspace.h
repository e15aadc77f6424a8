#pragma once

// A workspace whose drawer only records what it is asked, for tests that check
// the requests a class makes rather than rendered pixels.

#include "Interfaces/IWorkspaceController.h"

#include <QImage>
#include <QPixmap>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace RecordingWorkspace {

using namespace Tavrel::PhotoCore;

class ImageFrame : public IVideoFrame {
public:
    explicit ImageFrame(QImage image) : image(std::move(image)) {}
    int Width() const override { return image.width(); }
    int Height() const override { return image.height(); }
    QImage image;
};

struct PreviewRequest {
    FrameSize size;
    PreviewPolicy policy;
    int position = -2;
    bool fromSource = false;
    QSize sourceSize;
};

class Drawer : public IPhotoCoreDrawer, public IPhotoCoreDrawerPainter {
public:
    void ApplyEffects(const EffectsSettings& settings, const Parameters&) override
    {
        applied.push_back(settings);
        latest.settings = settings;
    }
    void ApplyEffect(const IEffectSettings::Ptr& effect, const Parameters&) override
    {
        EffectsSettings settings;
        settings.Effects() = {effect};
        applied.push_back(settings);
        latest.settings = settings;
    }
    DrawerEntry GetEntry(int) const override { return latest; }
    int FindPackagePosition(const std::string& packageName) const override
    {
        const auto found = packagePositions.find(packageName);
        return found == packagePositions.end() ? -1 : found->second;
    }
    int GetCurrentPosition() const override { return 0; }
    MaskInfo::MaskInfoEx GetMaskEntry(int) const override { return {}; }
    std::string GetPainterId() const override { return "recording"; }
    IPhotoCoreDrawerPainter& GetPainter() override { return *this; }

    FramePtr RenderPreview(const EffectsSettings&, const FrameSize& size, const PreviewPolicy& policy,
                           int position) override
    {
        requests.push_back({size, policy, position, false, {}});
        return Rendered(size);
    }
    FramePtr RenderPreview(const EffectsSettings&, const FrameSize& size, const PreviewPolicy& policy,
                           const FramePtr& source, const FramePtr&) override
    {
        requests.push_back({size, policy, -2, true, source ? QSize(source->Width(), source->Height()) : QSize()});
        return Rendered(size);
    }

    void SetPainterSettings(const std::shared_ptr<ISettingsPainter>&, const std::shared_ptr<MaskInfo::IMask>&) override
    {
    }
    FramePtr Prepare(int, int) override { return {}; }
    void UpdatePaint(const EffectsSettings& settings, bool) override { painted.push_back(settings); }
    void CommitPaint(int, int, bool) override { ++commits; }

    DrawerEntry latest;
    std::vector<EffectsSettings> applied; // ApplyEffects and ApplyEffect, in order
    std::vector<EffectsSettings> painted;
    int commits = 0;
    std::map<std::string, int> packagePositions;
    std::vector<PreviewRequest> requests;

private:
    static FramePtr Rendered(const FrameSize& size)
    {
        QImage image(size.width, size.height, QImage::Format_ARGB32);
        image.fill(Qt::red);
        return FramePtr(new ImageFrame(image));
    }
};

class Utils : public ImageUtils {
public:
    QPixmap FrameToPixmap(const FramePtr& frame) const override
    {
        return frame ? QPixmap::fromImage(static_cast<const ImageFrame&>(*frame).image) : QPixmap();
    }
    FramePtr PixmapToFrame(const QPixmap& pixmap, IVideoFrameFactory&) const override
    {
        return FramePtr(new ImageFrame(pixmap.toImage()));
    }
};

class Factory : public IVideoFrameFactory {
public:
    FramePtr CreateFrame(const FrameSize& size) override
    {
        return FramePtr(new ImageFrame(QImage(size.width, size.height, QImage::Format_ARGB32)));
    }
};

class Statistics : public IStatisticsEventHandler {
public:
    void HandleEvent(const std::string& name, const std::map<std::string, std::string>& parameters) override
    {
        events.push_back({name, parameters});
    }
    std::vector<std::pair<std::string, std::map<std::string, std::string>>> events;
};

class History : public IHistoryService {
public:
    void Restore(const HistoryRequest& request) override { restored.push_back(request.position); }
    std::vector<int> restored;
};

class Controller : public IWorkspaceController {
public:
    std::shared_ptr<IPhotoCoreDrawer> GetDrawer() const override { return drawer; }
    IHistoryService& GetHistory() override { return history; }
    void AddDrawerEventHandler(IDrawerEventHandler*) override {}
    void RemoveDrawerEventHandler(IDrawerEventHandler*) override {}
    const ImageUtils& GetImageUtils() const override { return utils; }
    IVideoFrameFactory& GetFrameFactory() override { return factory; }
    IStatisticsEventHandler& GetStatisticsHandler() override { return statistics; }

    std::shared_ptr<Drawer> drawer = std::make_shared<Drawer>();
    History history;
    Utils utils;
    Factory factory;
    Statistics statistics;
};

} // namespace RecordingWorkspace
