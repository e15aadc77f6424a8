#include "Host/Drawer/PhotoCoreDrawer.h"

#include "Host/Drawer/DrawerHistory.h"
#include "Host/Drawer/PreviewComposer.h"
#include "Host/Drawer/RenderedStateCache.h"
#include "Host/Drawer/VideoFrame.h"
#include "Host/Effects/SettingsPainterEffectsPackage.h"
#include "Host/Render/EffectRenderer.h"
#include "Host/Types/CallStack.h"

#include <glog/logging.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

namespace Tavrel::PhotoCore {
namespace {

using Step = RenderedStateCache::Step;
using Cancelled = RenderedStateCache::Cancelled;

// A full-size state costs width * height * 4 bytes; keep the current one, the one
// before it (what the next preset is drawn on) and one more.
constexpr std::size_t FULL_SIZE_STATES = 3;
constexpr std::size_t PREVIEW_STATES = 8;

QImage ToRgb32(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

QImage Downscaled(const QImage& photo, int longSide)
{
    if (std::max(photo.width(), photo.height()) <= longSide)
        return photo;
    return ToRgb32(photo.scaled(longSide, longSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

std::vector<std::uint64_t> SerialsOf(const std::vector<Step>& steps)
{
    std::vector<std::uint64_t> serials;
    serials.reserve(steps.size());
    for (const Step& step : steps)
        serials.push_back(step.serial);
    return serials;
}

} // namespace

struct PhotoCoreDrawer::Impl {
    enum class JobKind { Notify, RenderFinal, RenderTemporary };
    using Notification = std::function<void(IDrawerEventHandler&)>;
    struct Job {
        JobKind kind;
        Notification notify;
    };
    // The full-size picture of a paint, and where it was drawn.
    struct PaintPicture {
        std::uint64_t paint = 0;
        std::vector<std::uint64_t> baseSerials;
        QImage image;
    };
    // A committed paint: its entry is the last of these serials.
    struct CommittedPaint {
        std::uint64_t paint = 0;
        std::vector<std::uint64_t> serials;
    };

    Impl(const QImage& photo, Renderer renderIt, int proxyLongSide)
        : renderer(renderIt ? std::move(renderIt)
                            : Renderer([](const QImage& input, const EffectsSettings& settings,
                                          const Cancelled& cancelled) {
                                  EffectRenderer::RenderOptions options;
                                  options.cancelled = cancelled;
                                  return EffectRenderer::Render(input, settings, options);
                              })),
          fullRenderer([this](const QImage& input, const EffectsSettings& settings, const Cancelled& cancelled) {
              ++fullStarted;
              std::optional<QImage> image = renderer(input, settings, cancelled);
              if (image)
                  ++fullFinished;
              return image;
          }),
          proxySide(proxyLongSide),
          fullStates(ToRgb32(photo), fullRenderer, FULL_SIZE_STATES),
          previewStates(Downscaled(fullStates.Picture(), PREVIEW_PHOTO_SIDE), renderer, PREVIEW_STATES),
          currentImage(fullStates.Picture())
    {
        worker = std::thread([this] { Work(); });
    }

    ~Impl()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
            jobs.clear();
        }
        jobsChanged.notify_all();
        worker.join();
    }

    // The following "Locked" members expect the caller to hold mutex.

    void QueueLocked(Job job)
    {
        if (stopping)
            return;
        if (job.kind != JobKind::Notify) {
            // A render takes the state when it starts: one queued render of a kind is enough,
            // moved behind the events that announced the newer state. The one in progress is
            // abandoned.
            jobs.erase(std::remove_if(jobs.begin(), jobs.end(), [&](const Job& queued) { return queued.kind == job.kind; }),
                       jobs.end());
            ++GenerationOf(job.kind);
        }
        jobs.push_back(std::move(job));
        jobsChanged.notify_one();
    }

    std::atomic<std::uint64_t>& GenerationOf(JobKind kind)
    {
        return kind == JobKind::RenderFinal ? finalGeneration : paintGeneration;
    }

    // Polled by a render of this kind that began at the generation current now.
    Cancelled CancelledLocked(JobKind kind)
    {
        std::atomic<std::uint64_t>& generation = GenerationOf(kind);
        return [this, &generation, began = generation.load()] { return stopping || generation != began; };
    }

    void QueueHistoryChangedLocked()
    {
        const DrawerEventMementoChanged memento{history.Size(), history.Position()};
        QueueLocked({JobKind::Notify, [memento](IDrawerEventHandler& handler) { handler.HandleMementoChanged(memento); }});
        const DrawerEventChangeToSave change{history.Position() > 0};
        QueueLocked({JobKind::Notify, [change](IDrawerEventHandler& handler) { handler.HandleChangeToSave(change); }});
    }

    bool EditsLatestEntryLocked() const
    {
        const auto* packagePainter = dynamic_cast<const SettingsPainterEffectsPackage*>(painterSettings.get());
        return packagePainter && packagePainter->GetEditLatestEntry();
    }

    // Records the open paint as an entry, or nothing when none is open.
    void CommitPaintLocked()
    {
        std::optional<DrawerHistory::Placement> composed = ComposePaintLocked();
        paintOpen = false;
        paint.reset();
        if (!composed)
            return;
        EffectsSettingsPackage& package = composed->settings.Package();
        const auto* packagePainter = dynamic_cast<const SettingsPainterEffectsPackage*>(painterSettings.get());
        if (package.GetPackageName().empty() && packagePainter) {
            const PackageInfo& info = packagePainter->GetPackageInfoSettings();
            package.SetPackageName(info.packageName);
            package.SetPresetName(info.presetName);
            package.presetGroupIndex = info.presetGroupIndex;
        }
        history.Record(std::move(composed->settings), composed->base);
        committedPaint = CommittedPaint{paintGeneration, SerialsOf(history.StepsBefore(history.Position()))};
        QueueHistoryChangedLocked();
        QueueLocked({JobKind::RenderFinal, {}});
    }

    std::optional<DrawerHistory::Placement> ComposePaintLocked() const
    {
        if (!paintOpen || !paint)
            return std::nullopt;
        return history.PlacePaint(*paint, EditsLatestEntryLocked());
    }

    void Deliver(const Notification& notify)
    {
        std::lock_guard<std::recursive_mutex> lock(handlersMutex);
        const std::vector<IDrawerEventHandler*> current = handlers;
        for (IDrawerEventHandler* handler : current) {
            // An earlier handler may have removed this one.
            if (std::find(handlers.begin(), handlers.end(), handler) != handlers.end())
                notify(*handler);
        }
    }

    // Where RenderPreview's position is: -1 the current position, others clamped to the history.
    int PreviewPositionLocked(int position) const
    {
        return position < 0 ? history.Position() : std::min(position, history.Size());
    }

    // Previews are drawn on the caller's thread and never abandoned.
    PreviewComposer::Renderer PreviewRenderer() const
    {
        return [this](const QImage& input, const EffectsSettings& settings) {
            return *renderer(input, settings, RenderedStateCache::NEVER_CANCELLED);
        };
    }

    void DeliverProgress(double fraction)
    {
        Deliver([fraction](IDrawerEventHandler& handler) { handler.HandleRenderProgress(fraction); });
    }

    void RenderFinal()
    {
        std::vector<Step> snapshot;
        int renderedPosition = 0;
        Cancelled cancelled;
        std::optional<QImage> committed;
        {
            std::lock_guard<std::mutex> lock(mutex);
            renderedPosition = history.Position();
            snapshot = history.StepsBefore(renderedPosition);
            cancelled = CancelledLocked(JobKind::RenderFinal);
            committed = TakeCommittedPaintLocked(SerialsOf(snapshot));
        }
        if (committed)
            fullStates.Adopt(SerialsOf(snapshot), *committed);
        const std::optional<QImage> image =
            fullStates.StateAt(snapshot, [this](double fraction) { DeliverProgress(fraction); }, cancelled);
        if (!image)
            return;
        {
            std::lock_guard<std::mutex> lock(mutex);
            currentImage = *image;
            currentImageSerials = SerialsOf(snapshot);
        }
        const DrawerEventFrame frame{FramePtr(new VideoFrame(*image)), renderedPosition};
        Deliver([&frame](IDrawerEventHandler& handler) { handler.HandleFrame(frame); });
    }

    // The picture of the paint drawn last when its committed entry is the last of serials:
    // that state need not be drawn again.
    std::optional<QImage> TakeCommittedPaintLocked(const std::vector<std::uint64_t>& serials)
    {
        std::optional<QImage> image;
        if (lastPaint && committedPaint && lastPaint->paint == committedPaint->paint &&
            committedPaint->serials == serials && lastPaint->baseSerials.size() + 1 == serials.size() &&
            std::equal(lastPaint->baseSerials.begin(), lastPaint->baseSerials.end(), serials.begin()))
            image = lastPaint->image;
        lastPaint.reset();
        committedPaint.reset();
        return image;
    }

    // The paint drawn on a state of states; nothing when abandoned.
    std::optional<QImage> DrawPaint(RenderedStateCache& states, const Renderer& render, const std::vector<Step>& baseSteps,
                                    const EffectsSettings& settings, const Cancelled& cancelled)
    {
        std::optional<QImage> image = states.StateAt(baseSteps, {}, cancelled);
        if (image && !settings.IsReset())
            image = render(*image, settings, cancelled);
        return image;
    }

    void DeliverTemporary(const QImage& image)
    {
        const DrawerEventFrameTemporary frame{FramePtr(new VideoFrame(image))};
        Deliver([&frame](IDrawerEventHandler& handler) { handler.HandleFrameTemporary(frame); });
    }

    void RenderTemporary()
    {
        std::optional<DrawerHistory::Placement> composed;
        std::vector<Step> baseSteps;
        Cancelled cancelled;
        std::uint64_t paintSerial = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            composed = ComposePaintLocked();
            if (!composed)
                return;
            baseSteps = history.StepsBefore(composed->base);
            cancelled = CancelledLocked(JobKind::RenderTemporary);
            paintSerial = paintGeneration;
        }
        const int side = proxySide;
        if (proxyStates && proxyStatesSide != side)
            proxyStates.reset();
        if (!proxyStates && std::max(fullStates.Picture().width(), fullStates.Picture().height()) > side) {
            proxyStates.emplace(Downscaled(fullStates.Picture(), side), renderer, FULL_SIZE_STATES);
            proxyStatesSide = side;
        }
        if (proxyStates) {
            const std::optional<QImage> proxy = DrawPaint(*proxyStates, renderer, baseSteps, composed->settings, cancelled);
            if (!proxy)
                return;
            DeliverTemporary(*proxy);
        }
        const std::optional<QImage> image = DrawPaint(fullStates, fullRenderer, baseSteps, composed->settings, cancelled);
        if (!image)
            return;
        {
            std::lock_guard<std::mutex> lock(mutex);
            lastPaint = PaintPicture{paintSerial, SerialsOf(baseSteps), *image};
        }
        DeliverProgress(1.0);
        DeliverTemporary(*image);
    }

    void Work()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            jobsChanged.wait(lock, [this] { return stopping || !jobs.empty(); });
            if (stopping)
                return;
            Job job = std::move(jobs.front());
            jobs.pop_front();
            busy = true;
            lock.unlock();
            try {
                switch (job.kind) {
                case JobKind::Notify:
                    Deliver(job.notify);
                    break;
                case JobKind::RenderFinal:
                    RenderFinal();
                    break;
                case JobKind::RenderTemporary:
                    RenderTemporary();
                    break;
                }
            } catch (const std::exception& error) {
                // Nobody on this thread could repair it; the next change renders anew.
                LOG(ERROR) << "drawer job failed: " << error.what();
            }
            lock.lock();
            busy = false;
            if (jobs.empty())
                idle.notify_all();
        }
    }

    const Renderer renderer;
    std::atomic<int> fullStarted{0};
    std::atomic<int> fullFinished{0};
    const Renderer fullRenderer;
    std::atomic<int> proxySide;
    RenderedStateCache fullStates;
    RenderedStateCache previewStates;
    // Made on the worker when the first paint needs it, and again for another side; only the
    // worker uses them.
    std::optional<RenderedStateCache> proxyStates;
    int proxyStatesSide = 0;
    PreviewComposer composer;

    mutable std::mutex mutex;
    std::condition_variable jobsChanged;
    std::condition_variable idle;
    std::deque<Job> jobs;
    bool busy = false;
    // Set under mutex; read by renders without it.
    std::atomic<bool> stopping{false};
    // Bumped whenever a render of the kind is queued: a render that began under an older one is stale.
    std::atomic<std::uint64_t> finalGeneration{0};
    std::atomic<std::uint64_t> paintGeneration{0};

    DrawerHistory history;

    std::shared_ptr<ISettingsPainter> painterSettings;
    bool paintOpen = false;
    std::optional<EffectsSettings> paint;
    std::optional<PaintPicture> lastPaint;
    std::optional<CommittedPaint> committedPaint;

    QImage currentImage;
    std::vector<std::uint64_t> currentImageSerials;

    // Recursive, so that a handler may remove itself while being called.
    std::recursive_mutex handlersMutex;
    std::vector<IDrawerEventHandler*> handlers;

    std::thread worker;
};

PhotoCoreDrawer::PhotoCoreDrawer(const QImage& photo, Renderer renderer, int proxySide)
    : m_impl(std::make_unique<Impl>(photo, std::move(renderer), proxySide))
{
}

PhotoCoreDrawer::~PhotoCoreDrawer() = default;

void PhotoCoreDrawer::AddDrawerEventHandler(IDrawerEventHandler* handler)
{
    std::lock_guard<std::recursive_mutex> lock(m_impl->handlersMutex);
    if (handler && std::find(m_impl->handlers.begin(), m_impl->handlers.end(), handler) == m_impl->handlers.end())
        m_impl->handlers.push_back(handler);
}

void PhotoCoreDrawer::RemoveDrawerEventHandler(IDrawerEventHandler* handler)
{
    std::lock_guard<std::recursive_mutex> lock(m_impl->handlersMutex);
    auto& handlers = m_impl->handlers;
    handlers.erase(std::remove(handlers.begin(), handlers.end(), handler), handlers.end());
}

void PhotoCoreDrawer::SetProxySide(int side) { m_impl->proxySide = side; }

void PhotoCoreDrawer::WaitUntilIdle()
{
    std::unique_lock<std::mutex> lock(m_impl->mutex);
    m_impl->idle.wait(lock, [this] { return m_impl->jobs.empty() && !m_impl->busy; });
}

QImage PhotoCoreDrawer::CurrentImage() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->currentImage;
}

int PhotoCoreDrawer::EntryCount() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->history.Size();
}

std::uint64_t PhotoCoreDrawer::SerialBelow(int position) const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->history.SerialBefore(m_impl->PreviewPositionLocked(position));
}

PhotoCoreDrawer::RenderCounts PhotoCoreDrawer::Counts() const
{
    return RenderCounts{m_impl->fullStarted.load(), m_impl->fullFinished.load()};
}

void PhotoCoreDrawer::ApplyEffects(const EffectsSettings& settings, const Parameters&)
{
    EffectsSettings entry = settings.Clone();
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    // What was painted was seen: it goes into the history before what comes after it (a preset
    // confirmed before its paint's first frame came back).
    m_impl->CommitPaintLocked();
    const int index = m_impl->history.IndexFor(entry.Package().resetIndex);
    m_impl->history.Record(std::move(entry), index);
    m_impl->QueueHistoryChangedLocked();
    m_impl->QueueLocked({Impl::JobKind::RenderFinal, {}});
}

void PhotoCoreDrawer::ApplyEffect(const IEffectSettings::Ptr& effect, const Parameters& parameters)
{
    if (!effect)
        TAVREL_THROW(std::invalid_argument, "ApplyEffect needs an effect");
    EffectsSettings settings;
    settings.Effects().push_back(effect);
    ApplyEffects(settings, parameters);
}

DrawerEntry PhotoCoreDrawer::GetEntry(int position) const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    const EffectsSettings* settings = m_impl->history.SettingsAt(position);
    // A clone, so that a caller's changes cannot rewrite the history.
    return settings ? DrawerEntry{settings->Clone()} : DrawerEntry{};
}

int PhotoCoreDrawer::FindPackagePosition(const std::string& packageName) const
{
    if (packageName.empty())
        return -1;
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    // A paint not committed yet (a preset whose first frame is not back) is the one being tried.
    const std::optional<DrawerHistory::Placement> paint = m_impl->ComposePaintLocked();
    if (paint && paint->settings.Package().GetPackageName() == packageName)
        return paint->base;
    return m_impl->history.FindPackage(packageName);
}

int PhotoCoreDrawer::GetCurrentPosition() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    return m_impl->history.Position();
}

MaskInfo::MaskInfoEx PhotoCoreDrawer::GetMaskEntry(int) const { return MaskInfo::MaskInfoEx{}; }

std::string PhotoCoreDrawer::GetPainterId() const { return PAINTER_ID; }

IPhotoCoreDrawerPainter& PhotoCoreDrawer::GetPainter() { return *this; }

FramePtr PhotoCoreDrawer::RenderPreview(const EffectsSettings& settings, const FrameSize& size,
                                        const PreviewPolicy& policy, int position)
{
    if (size.width <= 0 || size.height <= 0)
        return FramePtr();
    std::vector<Step> snapshot;
    {
        std::lock_guard<std::mutex> lock(m_impl->mutex);
        snapshot = m_impl->history.StepsBefore(m_impl->PreviewPositionLocked(position));
    }
    const std::optional<QImage> base = m_impl->previewStates.StateAt(snapshot);
    return FramePtr(new VideoFrame(m_impl->composer.Compose(*base, settings, QSize(size.width, size.height), policy,
                                                            m_impl->PreviewRenderer())));
}

FramePtr PhotoCoreDrawer::RenderPreview(const EffectsSettings& settings, const FrameSize& size,
                                        const PreviewPolicy& policy, const FramePtr& source, const FramePtr&)
{
    if (!source || size.width <= 0 || size.height <= 0)
        return FramePtr();
    const QImage& picture = VideoFrame::ImageOf(source);
    if (picture.isNull())
        return FramePtr();
    return FramePtr(new VideoFrame(m_impl->composer.Compose(picture, settings, QSize(size.width, size.height), policy,
                                                            m_impl->PreviewRenderer())));
}

void PhotoCoreDrawer::SetPainterSettings(const std::shared_ptr<ISettingsPainter>& settings,
                                         const std::shared_ptr<MaskInfo::IMask>&)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    // A paint still open was seen: it is recorded, under the painter settings it was made with,
    // before the next one starts (an intensity dragged before a preset's first frame is back).
    m_impl->CommitPaintLocked();
    m_impl->painterSettings = settings;
}

FramePtr PhotoCoreDrawer::Prepare(int, int)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->paintOpen = true;
    m_impl->paint.reset();
    if (m_impl->currentImageSerials != SerialsOf(m_impl->history.StepsBefore(m_impl->history.Position())))
        return FramePtr();
    return FramePtr(new VideoFrame(m_impl->currentImage));
}

void PhotoCoreDrawer::UpdatePaint(const EffectsSettings& settings, bool wait)
{
    EffectsSettings paint = settings.Clone();
    {
        std::lock_guard<std::mutex> lock(m_impl->mutex);
        m_impl->paintOpen = true;
        m_impl->paint = std::move(paint);
        m_impl->QueueLocked({Impl::JobKind::RenderTemporary, {}});
    }
    if (wait)
        WaitUntilIdle();
}

void PhotoCoreDrawer::CommitPaint(int, int, bool wait)
{
    {
        std::lock_guard<std::mutex> lock(m_impl->mutex);
        m_impl->CommitPaintLocked();
    }
    if (wait)
        WaitUntilIdle();
}

void PhotoCoreDrawer::Restore(const HistoryRequest& request)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    // A try still painting at the current position has recorded nothing yet: taking it back drops
    // the paint alone, not what undo left to redo.
    const std::optional<DrawerHistory::Placement> paint = m_impl->ComposePaintLocked();
    const bool paintOnly = paint && request.position == m_impl->history.Position() && paint->base == request.position;
    const int position = m_impl->history.Restore(request.position, request.keepLaterEntries || paintOnly);
    m_impl->paintOpen = false;
    m_impl->paint.reset();
    m_impl->QueueHistoryChangedLocked();
    if (request.render) {
        const DrawerEventUndo undo{position};
        m_impl->QueueLocked({Impl::JobKind::Notify, [undo](IDrawerEventHandler& handler) { handler.HandleUndo(undo); }});
        m_impl->QueueLocked({Impl::JobKind::RenderFinal, {}});
    }
}

} // namespace Tavrel::PhotoCore
