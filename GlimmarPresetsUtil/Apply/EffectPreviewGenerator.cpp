#include "GlimmarPresetsUtil/Apply/EffectPreviewGenerator.h"

#include "Host/QtUtils/GetRoundedPixmap.h"
#include "Host/QtUtils/GetWidgetScreenPixelRatio.h"

#include <QWidget>

#include <glog/logging.h>

#include <algorithm>
#include <cmath>

namespace Tavrel::Glimmar::GlimmarPresets {

using namespace PhotoCore;

struct EffectPreviewGenerator::Impl {
    QSize size;
    int rounding = 0;
    QWidget* widget = nullptr;
    quint64 revision = 0;
    qreal lastRatio = 0.0;

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

EffectPreviewGenerator::~EffectPreviewGenerator() = default;

void EffectPreviewGenerator::SetWorkspaceController(const std::weak_ptr<IWorkspaceController>& controller)
{
    IWorkspaceUser::SetWorkspaceController(controller);
    // Another workspace is another photo, even when its drawer reuses the old one's address.
    ++m_impl->revision;
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

QPixmap EffectPreviewGenerator::GetPreview(const EffectsSettings& settings, const PreviewPolicy& policy)
{
    const auto controller = GetWorkspaceController(false);
    if (!controller || !m_impl->HasSize())
        return QPixmap();
    const FrameSize size = m_impl->DeviceSize();
    const auto drawer = controller->GetDrawer();
    // Drawn before the latest entry's package, so that trying a preset leaves the other tiles as they are.
    const int position = drawer->FindPackagePosition(drawer->GetEntry(-1).settings.Package().GetPackageName());
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
