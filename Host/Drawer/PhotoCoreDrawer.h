#pragma once

#include "Host/Drawer/RenderedStateCache.h"
#include "Interfaces/IDrawerEventHandler.h"
#include "Interfaces/IHistoryService.h"
#include "Interfaces/IPhotoCoreDrawer.h"
#include "Interfaces/IPhotoCoreDrawerPainter.h"

#include <QImage>

#include <cstdint>
#include <memory>

namespace Tavrel::PhotoCore {

/// The host's drawer: the open photo, its history of entries (independent clones of
/// the settings given) and the renders of it.
///
/// Entries are recorded at once on the calling thread. Renders, and every event, go
/// through the drawer's own worker thread in the order they were asked for; renders
/// still queued are merged, so only the latest state is rendered. A render starts from
/// the rendered state of the longest matching history prefix it still keeps.
///
/// Entries and paints are placed in the history as DrawerHistory places them.
///
/// This host has no masks: mask arguments and applyWithMask are ignored, GetMaskEntry
/// gives an empty record, and paints cover the whole photo. Its tools all draw effects,
/// so HistoryRequest::toolId is not looked at. Pixel aspects other than 1:1 are not
/// supported.
class PhotoCoreDrawer : public IPhotoCoreDrawer, public IPhotoCoreDrawerPainter, public IHistoryService {
public:
    using Renderer = RenderedStateCache::Renderer;

    /// Full-size renders since the drawer was made: begun, and finished rather than abandoned.
    struct RenderCounts {
        int started = 0;
        int finished = 0;
    };

    static constexpr const char* PAINTER_ID = "PhotoCoreDrawer";
    /// The long side, in pixels, of the downscaled photo that previews are drawn from.
    static constexpr int PREVIEW_PHOTO_SIDE = 640;
    /// The long side, in pixels, of the proxy that paints are shown on first until SetProxySide
    /// says otherwise: about a screen.
    static constexpr int PROXY_PHOTO_SIDE = 1600;

    /// renderer draws one entry; empty: EffectRenderer::Render. Photos no longer than
    /// proxySide get no proxy.
    explicit PhotoCoreDrawer(const QImage& photo, Renderer renderer = {}, int proxySide = PROXY_PHOTO_SIDE);
    /// Abandons a render in progress; queued renders and events are dropped.
    ~PhotoCoreDrawer() override;

    /// Thread-safe. Once RemoveDrawerEventHandler returns, the handler is not called again
    /// (it waits for a delivery in progress, unless called from within one).
    void AddDrawerEventHandler(IDrawerEventHandler* handler);
    void RemoveDrawerEventHandler(IDrawerEventHandler* handler);

    /// Thread-safe. The long side of the proxies of the paints drawn from now on: about the
    /// photo's size on screen, so that a proxy is drawn without scaling. Photos no longer
    /// than it get no proxy.
    void SetProxySide(int side);
    /// Blocks until no render or event is queued or in progress. Not from a handler.
    void WaitUntilIdle();
    /// The latest final render (the photo itself until the first one).
    QImage CurrentImage() const;
    /// Entries in the history, later ones kept for redo included.
    int EntryCount() const;
    /// Thread-safe. What a preview at position (as RenderPreview takes it) is drawn on: the
    /// serial of the history entry below it, 0 for the photo as opened. Equal serials mean the
    /// same entries below; a new entry gets a new serial even with the same settings.
    std::uint64_t SerialBelow(int position) const;
    RenderCounts Counts() const;

    // IPhotoCoreDrawer. The parameters are not used by this host.
    void ApplyEffects(const EffectsSettings& settings, const Parameters& parameters) override;
    /// Throws std::invalid_argument for an empty effect.
    void ApplyEffect(const IEffectSettings::Ptr& effect, const Parameters& parameters) override;
    DrawerEntry GetEntry(int position) const override;
    /// Where the preset of the package being tried is: the open paint's place when the paint is of
    /// the package, else the latest entry's index when it is; -1 otherwise. A reset never reaches
    /// back past a confirmed step.
    int FindPackagePosition(const std::string& packageName) const override;
    int GetCurrentPosition() const override;
    MaskInfo::MaskInfoEx GetMaskEntry(int position) const override;
    std::string GetPainterId() const override;
    IPhotoCoreDrawerPainter& GetPainter() override;
    FramePtr RenderPreview(const EffectsSettings& settings, const FrameSize& size, const PreviewPolicy& policy,
                           int position) override;
    /// source must be a VideoFrame; second is not used (this host has no two-input effects).
    FramePtr RenderPreview(const EffectsSettings& settings, const FrameSize& size, const PreviewPolicy& policy,
                           const FramePtr& source, const FramePtr& second) override;

    // IPhotoCoreDrawerPainter. The paint is drawn at the latest position: from and to are not used.
    /// Without editLatestEntry (SettingsPainterEffectsPackage) and with a resetIndex in the
    /// paint's settings, the paint becomes a new entry at that index; otherwise it replaces
    /// the latest entry (a new entry when there is none). A committed new entry without a
    /// package name takes the package info of SettingsPainterEffectsPackage settings. A paint
    /// still open when new painter settings come, or an effect is applied, is committed first.
    void SetPainterSettings(const std::shared_ptr<ISettingsPainter>& settings,
                            const std::shared_ptr<MaskInfo::IMask>& mask) override;
    /// Gives the latest final render when it shows the current position, else null.
    FramePtr Prepare(int from, int to) override;
    /// Opens a paint when none is open.
    void UpdatePaint(const EffectsSettings& settings, bool wait) override;
    void CommitPaint(int from, int to, bool wait) override;

    // IHistoryService. Positions are clamped to the history.
    void Restore(const HistoryRequest& request) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::PhotoCore
