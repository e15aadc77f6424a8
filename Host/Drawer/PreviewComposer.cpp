#include "Host/Drawer/PreviewComposer.h"

#include <QPainter>

#include <algorithm>

namespace Tavrel::PhotoCore {
namespace {

QColor ToQColor(const Color& color)
{
    return QColor(color.channels[0], color.channels[1], color.channels[2]);
}

// The largest centred part of the picture with the tile's aspect.
QRect CentredCrop(const QSize& picture, const QSize& tile)
{
    const QSize part = tile.scaled(picture, Qt::KeepAspectRatio).boundedTo(picture).expandedTo(QSize(1, 1));
    return QRect(QPoint((picture.width() - part.width()) / 2, (picture.height() - part.height()) / 2), part);
}

QImage Padded(const QImage& image, const QSize& size, const QColor& padding)
{
    QImage tile(size, QImage::Format_RGB32);
    tile.fill(padding);
    QPainter painter(&tile);
    painter.drawImage((size.width() - image.width()) / 2, (size.height() - image.height()) / 2, image);
    return tile;
}

} // namespace

QImage PreviewComposer::Scaled(const QImage& picture, const QRect& part, const QSize& size)
{
    if (part == picture.rect() && picture.size() == size)
        return picture;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pictureKey != picture.cacheKey() || m_part != part || m_scaled.size() != size) {
        m_scaled = picture.copy(part)
                       .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
        m_pictureKey = picture.cacheKey();
        m_part = part;
    }
    return m_scaled;
}

QImage PreviewComposer::Compose(const QImage& picture, const EffectsSettings& settings, const QSize& size,
                                const PreviewPolicy& policy, const Renderer& renderer)
{
    if (picture.isNull() || size.isEmpty())
        return QImage();
    const QImage source =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const bool withEffect = policy.m_effectPolicy != EffectPolicy::Original;
    const auto render = [&](const QImage& image) {
        return !withEffect || settings.IsReset() ? image : renderer(image, settings);
    };

    QImage original;
    QImage effect;
    if (policy.m_fitPolicy == FitPolicy::Fit) {
        const QSize fitted = source.size().scaled(size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        const QImage scaled = Scaled(source, source.rect(), fitted);
        const QColor padding = ToQColor(policy.m_fitPaddingColor);
        original = Padded(scaled, size, padding);
        effect = Padded(render(scaled), size, padding);
    } else if (policy.m_cropPolicy == CropPolicy::BeforeEffect) {
        original = Scaled(source, CentredCrop(source.size(), size), size);
        effect = render(original);
    } else if (policy.m_cropPolicy == CropPolicy::AfterEffect) {
        const QSize covering = source.size().scaled(size, Qt::KeepAspectRatioByExpanding).expandedTo(size);
        const QImage scaled = Scaled(source, source.rect(), covering);
        const QRect crop(QPoint((covering.width() - size.width()) / 2, (covering.height() - size.height()) / 2), size);
        original = scaled.copy(crop);
        effect = render(scaled).copy(crop);
    } else {
        original = Scaled(source, source.rect(), size);
        effect = render(original);
    }

    switch (policy.m_effectPolicy) {
    case EffectPolicy::Original:
        return original;
    case EffectPolicy::ApplyNormal:
        return effect;
    case EffectPolicy::ApplySplit:
        break;
    }
    const int middle = size.width() / 2;
    const int lineWidth = std::max(1, policy.pixelRatio);
    QImage split = effect.copy();
    QPainter painter(&split);
    painter.drawImage(QPoint(0, 0), original, QRect(0, 0, middle, size.height()));
    painter.fillRect(QRect(middle - lineWidth / 2, 0, lineWidth, size.height()), ToQColor(policy.m_splitColor));
    return split;
}

} // namespace Tavrel::PhotoCore
