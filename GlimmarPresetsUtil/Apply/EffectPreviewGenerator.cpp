#include "GlimmarPresetsUtil/Apply/EffectPreviewGenerator.h"

#include "Host/QtUtils/GetRoundedPixmap.h"
#include "Host/QtUtils/GetWidgetScreenPixelRatio.h"

#include <QWidget>

#include <glog/logging.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

using namespace PhotoCore;

namespace {

// The position previews of the open photo are drawn at: before the latest entry's
// package; -1, the current position, when there is none.
int PreviewPosition(const IPhotoCoreDrawer& drawer)
{
    return drawer.FindPackagePosition(drawer.GetEntry(-1).settings.Package().GetPackageName());
}

// What previews of the open photo are drawn from: the drawer, the position and the
// effects of the entries below it. Entries come out of the drawer as clones, so
// they are compared by content.
struct PhotoSource {
    const IPhotoCoreDrawer* drawer = nullptr;
    int position = 0;
    std::vector<PropertyTree> entries;

    PhotoSource() = default;
    PhotoSource(const IPhotoCoreDrawer& from, int at)
        : drawer(&from), position(at >= 0 ? at : from.GetCurrentPosition())
    {
        entries.reserve(static_cast<std::size_t>(std::max(position, 0)));
        for (int index = 0; index < position; ++index)
            entries.push_back(from.GetEntry(index).settings.SerializeEffects());
    }

    bool operator==(const PhotoSource& other) const
    {
        return drawer == other.drawer && position == other.position && entries == other.entries;
    }
};

} // namespace

struct EffectPreviewGenerator::Impl {
    QSize size;
    int rounding = 0;
    QWidget* widget = nullptr;
    quint64 revision = 0;
    qreal lastRatio = 0.0;
    PhotoSource source;

    void Observe(PhotoSource now)
    {
        if (now == source)
            return;
        source = std::move(now);
        ++revision;
    }

    void ObserveDrawer(const std::shared_ptr<IWorkspaceController>& controller)
    {
        if (!controller)
            return;
        const auto drawer = controller->GetDrawer();
        Observe(PhotoSource(*drawer, PreviewPosition(*drawer)));
    }

    qreal Ratio() const { return GetWidgetScreenPixelRatio(widget); }

    FrameSize DeviceSize() const
    {
        const qreal ratio = Ratio();
        return FrameSize{static_cast<int>(std::lround(size.width() * ratio)),
                         static_cast<int>(std::lround(size.height() * ratio)), 1, 1};
    }

    // The drawer wants a whole-number ratio for line widths; a fraction is cut off.
    PreviewPolicy DrawerPolicy(const PreviewPolicy& policy) const
    {
        PreviewPolicy copy = policy;
        copy.pixelRatio = static_cast<int>(std::max<qreal>(Ratio(), 1.0));
        return copy;
    }

    // The list sets the size at construction; a request before that has nothing to render at.
    bool HasSize() const
    {
        if (!size.isEmpty())
            return true;
        LOG(WARNING) << "a preview was requested before the preview size was set";
        return false;
    }

    QPixmap GetRoundedPreview(const QPixmap& pixmap) const
    {
        // The picture is in device pixels; the radius follows the whole-number scale.
        const int factor = pixmap.width() / size.width();
        const qreal radius = factor * rounding;
        return GetRoundedPixmap(pixmap, radius, radius);
    }
};

EffectPreviewGenerator::EffectPreviewGenerator(QWidget* widget) : QObject(widget), m_impl(std::make_unique<Impl>())
{
    m_impl->widget = widget;
}

EffectPreviewGenerator::~EffectPreviewGenerator()
{
    if (auto controller = GetWorkspaceController(false))
        controller->RemoveDrawerEventHandler(this);
}

void EffectPreviewGenerator::SetWorkspaceController(const std::weak_ptr<IWorkspaceController>& controller)
{
    if (auto previous = GetWorkspaceController(false))
        previous->RemoveDrawerEventHandler(this);
    IWorkspaceUser::SetWorkspaceController(controller);
    // Another photo, even when its drawer reuses the old one's address.
    ++m_impl->revision;
    const auto locked = controller.lock();
    if (!locked)
        return;
    locked->AddDrawerEventHandler(this);
    m_impl->ObserveDrawer(locked);
}

void EffectPreviewGenerator::SetPreviewSize(const QSize& size)
{
    if (size != m_impl->size)
        ++m_impl->revision;
    m_impl->size = size;
}

const QSize& EffectPreviewGenerator::GetPreviewSize() const
{
    return m_impl->size;
}

void EffectPreviewGenerator::SetPreviewRounding(int rounding)
{
    if (rounding != m_impl->rounding)
        ++m_impl->revision;
    m_impl->rounding = rounding;
}

quint64 EffectPreviewGenerator::GetRevision()
{
    // A window moved to another screen says nothing to the generator; the ratio is cheap to ask.
    const qreal ratio = m_impl->Ratio();
    if (ratio != m_impl->lastRatio) {
        m_impl->lastRatio = ratio;
        ++m_impl->revision;
    }
    return m_impl->revision;
}

// The drawer's history changed: the photo under the previews may be another one now.
void EffectPreviewGenerator::HandleUndoInternal(const DrawerEventUndo&)
{
    m_impl->ObserveDrawer(GetWorkspaceController(false));
}

void EffectPreviewGenerator::HandleMementoChangedInternal(const DrawerEventMementoChanged&)
{
    m_impl->ObserveDrawer(GetWorkspaceController(false));
}

QPixmap EffectPreviewGenerator::GetPreview(const EffectsSettings& settings, const PreviewPolicy& policy)
{
    const auto controller = GetWorkspaceController(false);
    if (!controller || !m_impl->HasSize())
        return QPixmap();
    const FrameSize size = m_impl->DeviceSize();
    const auto drawer = controller->GetDrawer();
    const int position = PreviewPosition(*drawer);
    // The history's events arrive later: a change they have not told of yet shows up here.
    m_impl->Observe(PhotoSource(*drawer, position));
    const FramePtr frame = drawer->RenderPreview(settings, size, m_impl->DrawerPolicy(policy), position);
    return m_impl->GetRoundedPreview(controller->GetImageUtils().FrameToPixmap(frame));
}

QPixmap EffectPreviewGenerator::GetPreview(QPixmap source, const EffectsSettings& settings, const PreviewPolicy& policy)
{
    const auto controller = GetWorkspaceController(false);
    if (!controller || !m_impl->HasSize())
        return QPixmap();
    const FrameSize size = m_impl->DeviceSize();
    const QPixmap scaled = source.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (policy.m_effectPolicy == EffectPolicy::Original)
        return m_impl->GetRoundedPreview(scaled);

    const ImageUtils& utils = controller->GetImageUtils();
    const FramePtr input = utils.PixmapToFrame(scaled, controller->GetFrameFactory());
    const FramePtr frame = controller->GetDrawer()->RenderPreview(settings, size, m_impl->DrawerPolicy(policy), input,
                                                                  FramePtr());
    return m_impl->GetRoundedPreview(utils.FrameToPixmap(frame));
}

} // namespace Tavrel::Glimmar::GlimmarPresets
